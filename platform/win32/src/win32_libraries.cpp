#include "win32/win32_libraries.h"

#include <windows.h>

#include <string>

#include "ansi.h"
#include "platform/win_errors.h"
#include "wide.h"

namespace win32 {

std::uint32_t Win32Libraries::Load(std::string_view nameOrPath, plat::Handle* module) {
  *module = plat::kNoHandle;
  if (nameOrPath.empty()) return winerr::ModNotFound;
  const std::wstring wname = Wide(nameOrPath);
  // A library that is missing or broken must not stop the run with a system
  // error box.
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const HMODULE m = LoadLibraryW(wname.c_str());
  const DWORD error = GetLastError();
  SetErrorMode(previous);
  if (!m) return error != ERROR_SUCCESS ? error : winerr::ModNotFound;
  *module = reinterpret_cast<plat::Handle>(m);
  return winerr::Success;
}

std::uint32_t Win32Libraries::FindProcedure(plat::Handle module, std::string_view name, plat::Handle* procedure) {
  *procedure = plat::kNoHandle;
  if (module == plat::kNoHandle) return winerr::InvalidHandle;
  // Export names are plain ASCII.
  const std::string exportName(name);
  const FARPROC p = GetProcAddress(reinterpret_cast<HMODULE>(module), exportName.c_str());
  if (!p) return winerr::ProcNotFound;
  *procedure = reinterpret_cast<plat::Handle>(reinterpret_cast<void*>(p));
  return winerr::Success;
}

void Win32Libraries::Close(plat::Handle module) {
  if (module != plat::kNoHandle) FreeLibrary(reinterpret_cast<HMODULE>(module));
}

std::uint32_t Win32ZipLister::InvokeList(plat::Handle procedure, std::string_view archiveBase) {
  if (procedure == plat::kNoHandle) return winerr::ProcNotFound;
  using PtZipList = int(__stdcall*)(const char*, int, int);
  const std::string base = ToAnsi(archiveBase);
  const int result = reinterpret_cast<PtZipList>(procedure)(base.c_str(), 0, 0);
  return static_cast<std::uint32_t>(result);
}

}  // namespace win32
