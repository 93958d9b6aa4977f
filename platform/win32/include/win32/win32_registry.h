// Registry port over advapi32. String data crosses as UTF-16 and is handed to
// the logic as UTF-8 bytes with its terminating zero(s), the way the logic's
// RegValue expects.
#pragma once
#include "platform/registry.h"

namespace win32 {

class Win32Registry final : public plat::Registry {
 public:
  std::uint32_t OpenKey(plat::HKey parent, std::string_view path, std::uint32_t access, plat::HKey* out) override;
  std::uint32_t CreateKey(plat::HKey parent, std::string_view path, std::string_view className,
                          std::uint32_t access, plat::HKey* out, bool* created) override;
  void Close(plat::HKey key) override;
  std::uint32_t QueryValue(plat::HKey key, std::string_view name, plat::RegValue* out) override;
  std::uint32_t SetValue(plat::HKey key, std::string_view name, const plat::RegValue& value) override;
  std::uint32_t DeleteValue(plat::HKey key, std::string_view name) override;
  std::uint32_t DeleteKey(plat::HKey parent, std::string_view subkey) override;
  std::uint32_t EnumKey(plat::HKey key, std::uint32_t index, std::string* name) override;
  std::uint32_t EnumValue(plat::HKey key, std::uint32_t index, std::string* name, plat::RegValue* value) override;
  std::uint32_t QueryInfo(plat::HKey key, plat::RegKeyInfo* out) override;
  std::uint32_t SetKeyDacl(plat::HKey key, const plat::Acl& dacl) override;
  std::uint32_t GetKeyDacl(plat::HKey key, plat::Acl* out) override;
};

}  // namespace win32
