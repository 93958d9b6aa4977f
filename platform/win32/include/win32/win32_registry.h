// Registry port over advapi32. String data crosses as UTF-16 and is handed to
// the logic as UTF-8 bytes with its terminating zero(s), the way the logic's
// RegValue expects.
#pragma once
#include "platform/registry.h"

namespace win32 {

class Win32Registry final : public plat::Registry {
 public:
  plat::WinError OpenKey(plat::HKey parent, std::string_view path, std::uint32_t access, plat::HKey* out) override;
  plat::WinError CreateKey(plat::HKey parent, std::string_view path, std::string_view className,
                          std::uint32_t access, plat::HKey* out, bool* created) override;
  void Close(plat::HKey key) override;
  plat::WinError QueryValue(plat::HKey key, std::string_view name, plat::RegValue* out) override;
  plat::WinError SetValue(plat::HKey key, std::string_view name, const plat::RegValue& value) override;
  plat::WinError DeleteValue(plat::HKey key, std::string_view name) override;
  plat::WinError DeleteKey(plat::HKey parent, std::string_view subkey) override;
  plat::WinError EnumKey(plat::HKey key, std::uint32_t index, std::string* name) override;
  plat::WinError EnumValue(plat::HKey key, std::uint32_t index, std::string* name, plat::RegValue* value) override;
  plat::WinError QueryInfo(plat::HKey key, plat::RegKeyInfo* out) override;
  plat::WinError SetKeyDacl(plat::HKey key, const plat::Acl& dacl) override;
  plat::WinError GetKeyDacl(plat::HKey key, plat::Acl* out) override;
};

}  // namespace win32
