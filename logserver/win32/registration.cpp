#include "registration.h"

#include <string>

#include "server_module.h"

namespace vorlog {

namespace {

HRESULT SetValue(const std::wstring& subkey, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr);
  if (rc != ERROR_SUCCESS) return HRESULT_FROM_WIN32(rc);
  rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(rc);
}

LONG DeleteKey(const std::wstring& subkey) {
  const LONG rc = RegDeleteKeyW(HKEY_CLASSES_ROOT, subkey.c_str());
  return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

std::wstring ClassKey() { return std::wstring(L"CLSID\\") + kClassIdText; }

}  // namespace

HRESULT RegisterServer(const std::filesystem::path& dllPath) {
  const std::wstring clsid = ClassKey();
  const struct {
    std::wstring key;
    const wchar_t* name;
    std::wstring value;
  } values[] = {
      {clsid, nullptr, kClassName},
      {clsid + L"\\InprocServer32", nullptr, dllPath.wstring()},
      {clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {clsid + L"\\ProgID", nullptr, kProgId},
      {kProgId, nullptr, kClassName},
      {std::wstring(kProgId) + L"\\CLSID", nullptr, kClassIdText},
  };
  for (const auto& v : values) {
    const HRESULT hr = SetValue(v.key, v.name, v.value);
    if (FAILED(hr)) {
      // Leave no half registration behind.
      static_cast<void>(UnregisterServer());
      return hr;
    }
  }
  return S_OK;
}

HRESULT UnregisterServer() {
  const std::wstring clsid = ClassKey();
  // Children first: RegDeleteKey takes only keys without subkeys.
  const std::wstring keys[] = {clsid + L"\\InprocServer32", clsid + L"\\ProgID", clsid,
                               std::wstring(kProgId) + L"\\CLSID", kProgId};
  LONG worst = ERROR_SUCCESS;
  for (const std::wstring& k : keys) {
    const LONG rc = DeleteKey(k);
    if (rc != ERROR_SUCCESS) worst = rc;
  }
  return worst == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(worst);
}

}  // namespace vorlog
