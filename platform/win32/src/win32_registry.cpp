#include "win32/win32_registry.h"

#include <windows.h>

#include <algorithm>

#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "registry_data.h"
#include "security_descriptor.h"
#include "wide.h"

namespace win32 {
namespace {

HKEY ToHkey(plat::HKey k) { return reinterpret_cast<HKEY>(k); }
plat::HKey FromHkey(HKEY k) { return reinterpret_cast<plat::HKey>(k); }

// Key and value names are at most 16383 characters; data is bounded only by
// memory. A value that keeps growing between calls must not loop forever.
constexpr int kMaxAttempts = 16;
constexpr DWORD kMaxNameChars = 32768;

}  // namespace

plat::WinError Win32Registry::OpenKey(plat::HKey parent, std::string_view path, std::uint32_t access,
                                     plat::HKey* out) {
  HKEY key = nullptr;
  const std::wstring wpath = Wide(path);
  const LONG rc = RegOpenKeyExW(ToHkey(parent), wpath.c_str(), 0, access, &key);
  if (out) *out = rc == ERROR_SUCCESS ? FromHkey(key) : plat::kNoHandle;
  return FromStatus(rc);
}

plat::WinError Win32Registry::CreateKey(plat::HKey parent, std::string_view path, std::string_view className,
                                       std::uint32_t access, plat::HKey* out, bool* created) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  const std::wstring wpath = Wide(path);
  std::wstring wclass = Wide(className);
  const LONG rc = RegCreateKeyExW(ToHkey(parent), wpath.c_str(), 0, wclass.data(), REG_OPTION_NON_VOLATILE, access,
                                  nullptr, &key, &disposition);
  if (out) *out = rc == ERROR_SUCCESS ? FromHkey(key) : plat::kNoHandle;
  if (created) *created = rc == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
  return FromStatus(rc);
}

void Win32Registry::Close(plat::HKey key) {
  if (key != plat::kNoHandle && !plat::IsPredefinedKey(key)) RegCloseKey(ToHkey(key));
}

plat::WinError Win32Registry::QueryValue(plat::HKey key, std::string_view name, plat::RegValue* out) {
  const std::wstring wname = Wide(name);
  std::vector<std::uint8_t> buffer(256);
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG rc = RegQueryValueExW(ToHkey(key), wname.c_str(), nullptr, &type, buffer.data(), &size);
    if (rc == ERROR_MORE_DATA) {
      buffer.resize(size > buffer.size() ? size : buffer.size() * 2);
      continue;
    }
    if (rc != ERROR_SUCCESS) return FromStatus(rc);
    buffer.resize(size);
    if (out) *out = FromStoredData(type, buffer);
    return winerr::Success;
  }
  return winerr::MoreData;
}

plat::WinError Win32Registry::SetValue(plat::HKey key, std::string_view name, const plat::RegValue& value) {
  const std::wstring wname = Wide(name);
  const std::vector<std::uint8_t> stored = ToStoredData(value);
  return FromStatus(RegSetValueExW(ToHkey(key), wname.c_str(), 0, static_cast<DWORD>(value.type),
                                                   stored.data(), static_cast<DWORD>(stored.size())));
}

plat::WinError Win32Registry::DeleteValue(plat::HKey key, std::string_view name) {
  const std::wstring wname = Wide(name);
  return FromStatus(RegDeleteValueW(ToHkey(key), wname.c_str()));
}

plat::WinError Win32Registry::DeleteKey(plat::HKey parent, std::string_view subkey) {
  const std::wstring wsub = Wide(subkey);
  return FromStatus(RegDeleteKeyW(ToHkey(parent), wsub.c_str()));
}

plat::WinError Win32Registry::EnumKey(plat::HKey key, std::uint32_t index, std::string* name) {
  std::wstring buffer(256, L'\0');
  for (;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG rc =
        RegEnumKeyExW(ToHkey(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_MORE_DATA && buffer.size() < kMaxNameChars) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (rc != ERROR_SUCCESS) return FromStatus(rc);
    if (name) *name = Narrow(std::wstring_view(buffer.data(), length));
    return winerr::Success;
  }
}

plat::WinError Win32Registry::EnumValue(plat::HKey key, std::uint32_t index, std::string* name,
                                       plat::RegValue* value) {
  std::wstring nameBuffer(256, L'\0');
  std::vector<std::uint8_t> data(1024);
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    DWORD nameLength = static_cast<DWORD>(nameBuffer.size());
    DWORD dataLength = static_cast<DWORD>(data.size());
    DWORD type = REG_NONE;
    const LONG rc = RegEnumValueW(ToHkey(key), index, nameBuffer.data(), &nameLength, nullptr, &type, data.data(),
                                  &dataLength);
    if (rc == ERROR_MORE_DATA) {
      // Either buffer may be the short one; size both from the key's maxima.
      plat::RegKeyInfo info;
      // A failed query leaves the maxima at zero; the buffers still double.
      static_cast<void>(QueryInfo(key, &info));
      nameBuffer.resize(std::max<std::size_t>(nameBuffer.size() * 2, info.maxValueNameLen + 1));
      data.resize(std::max<std::size_t>({data.size() * 2, info.maxValueLen, dataLength}));
      continue;
    }
    if (rc != ERROR_SUCCESS) return FromStatus(rc);
    data.resize(dataLength);
    if (name) *name = Narrow(std::wstring_view(nameBuffer.data(), nameLength));
    if (value) *value = FromStoredData(type, data);
    return winerr::Success;
  }
  return winerr::MoreData;
}

plat::WinError Win32Registry::QueryInfo(plat::HKey key, plat::RegKeyInfo* out) {
  DWORD subkeys = 0, maxSubkeyLen = 0, values = 0, maxValueNameLen = 0, maxValueLen = 0;
  const LONG rc = RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, &subkeys, &maxSubkeyLen, nullptr,
                                   &values, &maxValueNameLen, &maxValueLen, nullptr, nullptr);
  if (rc == ERROR_SUCCESS && out) {
    out->subkeys = subkeys;
    out->maxSubkeyLen = maxSubkeyLen;
    out->values = values;
    out->maxValueNameLen = maxValueNameLen;
    out->maxValueLen = maxValueLen;
  }
  return FromStatus(rc);
}

plat::WinError Win32Registry::SetKeyDacl(plat::HKey key, const plat::Acl& dacl) {
  DaclDescriptor descriptor(dacl);
  if (descriptor.error().failed()) return descriptor.error();
  return FromStatus(RegSetKeySecurity(ToHkey(key), DACL_SECURITY_INFORMATION, descriptor.get()));
}

plat::WinError Win32Registry::GetKeyDacl(plat::HKey key, plat::Acl* out) {
  std::vector<std::uint8_t> buffer(512);
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG rc = RegGetKeySecurity(ToHkey(key), DACL_SECURITY_INFORMATION, buffer.data(), &size);
    if (rc == ERROR_INSUFFICIENT_BUFFER) {
      buffer.resize(size > buffer.size() ? size : buffer.size() * 2);
      continue;
    }
    if (rc != ERROR_SUCCESS) return FromStatus(rc);
    if (out) *out = AclFromDescriptor(buffer.data());
    return winerr::Success;
  }
  return winerr::InsufficientBuffer;
}

}  // namespace win32
