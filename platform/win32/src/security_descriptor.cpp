#include "security_descriptor.h"

#include <optional>

#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "sid_convert.h"

namespace win32 {

DaclDescriptor::DaclDescriptor(const plat::Acl& acl) { error_ = Build(acl); }

plat::WinError DaclDescriptor::Build(const plat::Acl& acl) {
  if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION)) return LastError();
  if (!acl.present) {
    // A null DACL: everyone may do everything.
    if (!SetSecurityDescriptorDacl(&descriptor_, TRUE, nullptr, FALSE)) return LastError();
    return winerr::Success;
  }

  std::vector<std::vector<std::uint8_t>> sids;
  DWORD size = sizeof(ACL);
  for (const auto& ace : acl.aces) {
    if (ace.type != plat::kAceAccessAllowed && ace.type != plat::kAceAccessDenied) return winerr::InvalidAcl;
    auto sid = SidFromText(ace.sid);
    if (!sid) return winerr::InvalidSid;
    // Both record kinds have the same layout: header, mask, then the SID in
    // place of SidStart.
    size += sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + static_cast<DWORD>(sid->size());
    sids.push_back(std::move(*sid));
  }
  aclBuffer_.assign(size, 0);
  auto* list = reinterpret_cast<PACL>(aclBuffer_.data());
  if (!InitializeAcl(list, size, ACL_REVISION)) return LastError();

  for (std::size_t i = 0; i < acl.aces.size(); ++i) {
    const auto& ace = acl.aces[i];
    PSID sid = sids[i].data();
    // AddAccess*AceEx, which takes the inheritance flags, only exists from
    // Windows 2000 on; add the entry, then set its flags in place.
    const BOOL added = ace.type == plat::kAceAccessAllowed ? AddAccessAllowedAce(list, ACL_REVISION, ace.mask, sid)
                                                            : AddAccessDeniedAce(list, ACL_REVISION, ace.mask, sid);
    if (!added) return LastError();
    void* record = nullptr;
    if (!GetAce(list, static_cast<DWORD>(i), &record)) return LastError();
    static_cast<ACE_HEADER*>(record)->AceFlags = ace.flags;
  }
  if (!SetSecurityDescriptorDacl(&descriptor_, TRUE, list, FALSE)) return LastError();
  return winerr::Success;
}

plat::Acl AclFromDescriptor(PSECURITY_DESCRIPTOR sd) {
  plat::Acl result;
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL list = nullptr;
  if (!GetSecurityDescriptorDacl(sd, &present, &list, &defaulted) || !present || list == nullptr) {
    result.present = false;
    return result;
  }
  for (DWORD i = 0; i < list->AceCount; ++i) {
    void* record = nullptr;
    if (!GetAce(list, i, &record)) continue;
    const auto* header = static_cast<const ACE_HEADER*>(record);
    if (header->AceType > SYSTEM_ALARM_ACE_TYPE) continue;
    const auto* basic = static_cast<const ACCESS_ALLOWED_ACE*>(record);
    plat::Ace ace;
    ace.type = header->AceType;
    ace.flags = header->AceFlags;
    ace.mask = basic->Mask;
    ace.sid = SidToText(const_cast<DWORD*>(&basic->SidStart));
    result.aces.push_back(std::move(ace));
  }
  return result;
}

}  // namespace win32
