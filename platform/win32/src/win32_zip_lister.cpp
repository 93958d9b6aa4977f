#include "win32/win32_zip_lister.h"

#include <windows.h>

#include <string>

#include "ansi.h"
#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "wide.h"

namespace win32 {
namespace {

// Frees the lister's library on every path out.
struct LoadedModule {
  HMODULE module;
  ~LoadedModule() {
    if (module) FreeLibrary(module);
  }
};

}  // namespace

plat::WinError Win32ZipLister::List(std::string_view libraryPath, std::string_view archiveBase) {
  if (libraryPath.empty()) return winerr::ModNotFound;
  const std::wstring wpath = Wide(libraryPath);
  // A library that is missing or broken must not stop the run with a system
  // error box.
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const LoadedModule library{LoadLibraryW(wpath.c_str())};
  const DWORD error = GetLastError();
  SetErrorMode(previous);
  if (!library.module) return error != ERROR_SUCCESS ? FromWin32(error) : winerr::ModNotFound;

  using PtZipList = int(__stdcall*)(const char*, int, int);
  const auto list = reinterpret_cast<PtZipList>(reinterpret_cast<void*>(GetProcAddress(library.module, "PtZipList")));
  if (!list) return winerr::ProcNotFound;
  const std::string base = ToAnsi(archiveBase);
  return plat::WinError(static_cast<std::uint32_t>(list(base.c_str(), 0, 0)));
}

}  // namespace win32
