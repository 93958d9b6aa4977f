// Access lists between plat::Acl and the packed Win32 records.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/security_types.h"
#include "platform/win_errors.h"

namespace win32 {

// An absolute security descriptor that carries only a DACL, with the storage
// it points into.
class DaclDescriptor {
 public:
  // Builds the list; error() tells whether that worked (a bad SID gives
  // InvalidSid, an ACE type other than allow/deny InvalidAcl).
  explicit DaclDescriptor(const plat::Acl& acl);
  DaclDescriptor(const DaclDescriptor&) = delete;
  DaclDescriptor& operator=(const DaclDescriptor&) = delete;

  plat::WinError error() const { return error_; }
  PSECURITY_DESCRIPTOR get() { return &descriptor_; }

 private:
  plat::WinError Build(const plat::Acl& acl);

  SECURITY_DESCRIPTOR descriptor_{};
  std::vector<std::uint8_t> aclBuffer_;  // DWORD-aligned by the allocator
  plat::WinError error_ = winerr::Success;
};

// The entries of a DACL as read back; ACE types other than the four basic
// ones (allow, deny, audit, alarm) are skipped since they lay out differently.
plat::Acl AclFromDescriptor(PSECURITY_DESCRIPTOR sd);

}  // namespace win32
