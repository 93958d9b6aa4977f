// Registry port: keys, typed values, enumeration and key security, shaped like
// the Win32 registry calls that the uninstaller makes (open with an access
// mask, enumerate by index), without their buffer-size protocols.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/handle.h"
#include "platform/security_types.h"
#include "platform/win_errors.h"

namespace plat {

// Predefined roots carry their Win32 values so adapters can pass them through.
using HKey = Handle;
inline constexpr HKey kHkeyClassesRoot = 0x80000000u;
inline constexpr HKey kHkeyCurrentUser = 0x80000001u;
inline constexpr HKey kHkeyLocalMachine = 0x80000002u;
inline constexpr HKey kHkeyUsers = 0x80000003u;
inline constexpr HKey kHkeyCurrentConfig = 0x80000005u;
bool IsPredefinedKey(HKey k);
// "HKEY_LOCAL_MACHINE" / "HKLM" and friends; empty optional-like 0 if unknown.
HKey RootFromName(std::string_view name);
const char* RootName(HKey root);  // "HKEY_LOCAL_MACHINE"

enum class RegType : std::uint32_t {
  None = 0,
  Sz = 1,
  ExpandSz = 2,
  Binary = 3,
  Dword = 4,
  MultiSz = 7,
};

// A value as stored: its type and raw bytes. Strings are stored the way the
// Win32 A functions would hand them over (the adapter converts UTF-16 data to
// UTF-8 bytes), including their terminating zero(s).
struct RegValue {
  RegType type = RegType::None;
  std::vector<std::uint8_t> data;

  static RegValue String(std::string_view s, RegType t = RegType::Sz);
  static RegValue Dword(std::uint32_t v);
  static RegValue Binary(std::vector<std::uint8_t> bytes);
  static RegValue MultiString(const std::vector<std::string>& items);
  // Text up to the first zero (for Sz/ExpandSz), whatever the type says.
  std::string AsText() const;
  std::uint32_t AsDword() const;  // little-endian first 4 bytes, 0 if short
  std::vector<std::string> AsMultiString() const;
  bool operator==(const RegValue&) const = default;
};

struct RegKeyInfo {
  std::uint32_t subkeys = 0;
  std::uint32_t maxSubkeyLen = 0;
  std::uint32_t values = 0;
  std::uint32_t maxValueNameLen = 0;
  std::uint32_t maxValueLen = 0;
};

namespace keyaccess {
inline constexpr std::uint32_t QueryValue = 0x0001;
inline constexpr std::uint32_t SetValue = 0x0002;
inline constexpr std::uint32_t CreateSubKey = 0x0004;
inline constexpr std::uint32_t EnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t Notify = 0x0010;
inline constexpr std::uint32_t CreateLink = 0x0020;
inline constexpr std::uint32_t Delete = 0x00010000;
inline constexpr std::uint32_t ReadControl = 0x00020000;
inline constexpr std::uint32_t WriteDac = 0x00040000;
inline constexpr std::uint32_t WriteOwner = 0x00080000;
inline constexpr std::uint32_t Read = 0x00020019;
inline constexpr std::uint32_t Write = 0x00020006;
inline constexpr std::uint32_t AllAccess = 0x000F003F;
inline constexpr std::uint32_t GenericRead = 0x80000000u;
inline constexpr std::uint32_t GenericWrite = 0x40000000u;
inline constexpr std::uint32_t GenericExecute = 0x20000000u;
inline constexpr std::uint32_t GenericAll = 0x10000000u;
}  // namespace keyaccess

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyEx. `parent` is a predefined root or an open key; `path` may be
  // empty (opens the parent again). Missing key: FileNotFound.
  virtual WinError OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey* out) = 0;
  // RegCreateKeyEx with a class text; `created` tells whether it was new.
  virtual WinError CreateKey(HKey parent, std::string_view path, std::string_view className,
                             std::uint32_t access, HKey* out, bool* created) = 0;
  virtual void Close(HKey key) = 0;

  // RegQueryValueEx of the whole value. Missing value: FileNotFound.
  virtual WinError QueryValue(HKey key, std::string_view name, RegValue* out) = 0;
  virtual WinError SetValue(HKey key, std::string_view name, const RegValue& value) = 0;
  virtual WinError DeleteValue(HKey key, std::string_view name) = 0;

  // RegDeleteKey: on the 9x family removes the whole tree; on NT fails with
  // AccessDenied when the key has subkeys. Needs Delete access on the subkey.
  virtual WinError DeleteKey(HKey parent, std::string_view subkey) = 0;

  // RegEnumKeyEx / RegEnumValue by index; NoMoreItems past the end.
  virtual WinError EnumKey(HKey key, std::uint32_t index, std::string* name) = 0;
  virtual WinError EnumValue(HKey key, std::uint32_t index, std::string* name, RegValue* value) = 0;
  virtual WinError QueryInfo(HKey key, RegKeyInfo* out) = 0;

  // RegSetKeySecurity with DACL_SECURITY_INFORMATION. The key must have been
  // opened with WriteDac.
  virtual WinError SetKeyDacl(HKey key, const Acl& dacl) = 0;
  // RegGetKeySecurity of the DACL (needs ReadControl).
  virtual WinError GetKeyDacl(HKey key, Acl* out) = 0;
};

using UniqueKey = UniqueHandle<Registry>;

}  // namespace plat
