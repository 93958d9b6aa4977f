#include "key_access.h"

#include <algorithm>

#include "platform/registry.h"
#include "platform/text.h"

namespace sim {

namespace ka = plat::keyaccess;

std::uint32_t MapGenericKeyRights(std::uint32_t mask) {
  std::uint32_t out = mask & ~(ka::GenericRead | ka::GenericWrite | ka::GenericExecute | ka::GenericAll);
  if (mask & ka::GenericRead) out |= ka::Read;
  if (mask & ka::GenericWrite) out |= ka::Write;
  if (mask & ka::GenericExecute) out |= ka::Read;  // KEY_EXECUTE equals KEY_READ
  if (mask & ka::GenericAll) out |= ka::AllAccess;
  return out;
}

namespace {
constexpr std::uint8_t kAceInheritOnly = 0x08;

bool Contains(const std::vector<plat::Sid>& sids, const plat::Sid& sid) {
  return std::any_of(sids.begin(), sids.end(), [&](const plat::Sid& s) { return text::IEquals(s, sid); });
}
}  // namespace

std::optional<std::uint32_t> CheckKeyAccess(const RegNode& key, const std::vector<plat::Sid>& tokenSids,
                                            std::uint32_t desired) {
  std::uint32_t wanted = MapGenericKeyRights(desired);
  const bool maximum = (wanted & kMaximumAllowed) != 0;
  wanted &= ~kMaximumAllowed;
  // Auditing rights need a privilege the uninstaller never asks for.
  if (wanted & kAccessSystemSecurity) return std::nullopt;

  if (!key.acl || !key.acl->present) return maximum ? (wanted | ka::AllAccess) : wanted;

  std::uint32_t granted = 0;
  std::uint32_t denied = 0;
  if (Contains(tokenSids, key.owner.value_or(plat::wellknown::Administrators)))
    granted |= ka::ReadControl | ka::WriteDac;
  for (const auto& ace : key.acl->aces) {
    if (ace.flags & kAceInheritOnly) continue;  // applies to children only
    if (!Contains(tokenSids, ace.sid)) continue;
    const std::uint32_t rights = MapGenericKeyRights(ace.mask);
    if (ace.type == plat::kAceAccessDenied)
      denied |= rights & ~granted;
    else if (ace.type == plat::kAceAccessAllowed)
      granted |= rights & ~denied;
  }
  if (wanted & ~granted) return std::nullopt;
  if (maximum) return granted == 0 ? std::nullopt : std::optional<std::uint32_t>(granted);
  return wanted;
}

}  // namespace sim
