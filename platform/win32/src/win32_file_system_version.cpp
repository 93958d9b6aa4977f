// What a file says about whose it is: the company its version resource
// names, and whether Windows File Protection guards it. Both libraries are
// found at run time: sfc.dll exists only from Windows 2000 on, and an import
// of it would keep the program from starting on NT 4.0 and the 9x family.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "wide.h"
#include "win32/win32_file_system.h"

namespace win32 {
namespace {

using GetSizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
using GetInfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
using QueryValueFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
using IsProtectedFn = BOOL(WINAPI*)(HANDLE, LPCWSTR);

template <typename Fn>
Fn Find(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

struct VersionApi {
  GetSizeFn getSize = nullptr;
  GetInfoFn getInfo = nullptr;
  QueryValueFn queryValue = nullptr;
};

// Loaded once and kept for the run, like the spooler's library.
const VersionApi& Version() {
  static const VersionApi api = [] {
    VersionApi a;
    const HMODULE m = LoadLibraryW(L"version.dll");
    a.getSize = Find<GetSizeFn>(m, "GetFileVersionInfoSizeW");
    a.getInfo = Find<GetInfoFn>(m, "GetFileVersionInfoW");
    a.queryValue = Find<QueryValueFn>(m, "VerQueryValueW");
    return a;
  }();
  return api;
}

IsProtectedFn SfcIsFileProtected() {
  static const IsProtectedFn fn = Find<IsProtectedFn>(LoadLibraryW(L"sfc.dll"), "SfcIsFileProtected");
  return fn;
}

// Codes with which the version calls say that a file has no version
// resource: no resources, no version type, or not an image at all (a text
// or data file). Windows and its versions differ in which one they give.
bool MeansNoVersionInformation(DWORD error) {
  switch (error) {
    case ERROR_SUCCESS:
    case ERROR_BAD_FORMAT:
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_FILE_INVALID:
    case ERROR_RESOURCE_DATA_NOT_FOUND:
    case ERROR_RESOURCE_TYPE_NOT_FOUND:
    case ERROR_RESOURCE_NAME_NOT_FOUND:
      return true;
    default:
      return false;
  }
}

// The "CompanyName" string of one translation, or false without one.
bool CompanyIn(const VersionApi& api, const std::vector<BYTE>& block, WORD language, WORD codePage,
               std::string* company) {
  std::wstring key = L"\\StringFileInfo\\";
  for (const WORD part : {language, codePage}) {
    for (int shift = 12; shift >= 0; shift -= 4) key += L"0123456789abcdef"[(part >> shift) & 0xF];
  }
  key += L"\\CompanyName";
  void* value = nullptr;
  UINT length = 0;
  if (!api.queryValue(block.data(), key.c_str(), &value, &length) || value == nullptr) return false;
  const wchar_t* text = static_cast<const wchar_t*>(value);
  std::size_t n = 0;
  while (n < length && text[n] != L'\0') ++n;
  *company = Narrow(std::wstring_view(text, n));
  return true;
}

}  // namespace

plat::WinError Win32FileSystem::VersionCompany(std::string_view path, std::string* company) {
  if (company) company->clear();
  const VersionApi& api = Version();
  if (!api.getSize || !api.getInfo || !api.queryValue) return winerr::CallNotImplemented;
  const std::wstring wpath = Wide(path);
  // A file that is not there, or a folder, is told apart from one without
  // version information.
  const DWORD attributes = GetFileAttributesW(wpath.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return winerr::AccessDenied;
  SetLastError(ERROR_SUCCESS);
  DWORD ignored = 0;
  const DWORD size = api.getSize(wpath.c_str(), &ignored);
  if (size == 0) {
    const DWORD error = GetLastError();
    return MeansNoVersionInformation(error) ? winerr::ResourceTypeNotFound : FromWin32(error);
  }
  std::vector<BYTE> block(size);
  if (!api.getInfo(wpath.c_str(), 0, size, block.data())) return LastError();

  std::string found;
  void* translations = nullptr;
  UINT length = 0;
  if (api.queryValue(block.data(), L"\\VarFileInfo\\Translation", &translations, &length) && translations &&
      length >= 2 * sizeof(WORD)) {
    const WORD* pair = static_cast<const WORD*>(translations);
    if (CompanyIn(api, block, pair[0], pair[1], &found)) {
      if (company) *company = found;
      return winerr::Success;
    }
  }
  // Without a usable translation table, the tables resource compilers
  // write by default: US English in Unicode, in the Western code page, neutral.
  for (const WORD codePage : {WORD{1200}, WORD{1252}, WORD{0}}) {
    if (CompanyIn(api, block, 0x0409, codePage, &found)) {
      if (company) *company = found;
      return winerr::Success;
    }
  }
  return winerr::Success;
}

plat::WinError Win32FileSystem::IsProtectedSystemFile(std::string_view path, bool* isProtected) {
  if (isProtected) *isProtected = false;
  const IsProtectedFn isFileProtected = SfcIsFileProtected();
  if (!isFileProtected) return winerr::CallNotImplemented;
  const std::wstring wpath = Wide(path);
  // FALSE with ERROR_FILE_NOT_FOUND is the ordinary "not protected".
  const BOOL answer = isFileProtected(nullptr, wpath.c_str());
  if (isProtected) *isProtected = answer != FALSE;
  return winerr::Success;
}

}  // namespace win32
