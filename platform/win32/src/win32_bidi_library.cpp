#include "win32/win32_bidi_library.h"

#include <windows.h>

#include "wide.h"

namespace win32 {
namespace {

// The library's exports as we call them: __stdcall, as the maker's other
// libraries are, with int arguments; the application handle is
// pointer-sized and only handed back to the library.
using RegisterAppProc = HANDLE(WINAPI*)(int application);
using UninstallLcsProc = int(WINAPI*)(HANDLE app, int services, int reserved);
using UnregisterAppProc = int(WINAPI*)(HANDLE app);

template <typename Proc>
Proc Find(HMODULE module, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

plat::WinError Win32BidiLibrary::Uninstall(std::string_view libraryPath, std::int32_t* status) {
  *status = 0;
  const std::wstring path = Wide(libraryPath);
  // An empty path would load whatever "" finds; there is no library then.
  if (path.empty()) return winerr::ModNotFound;
  const HMODULE library = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (library == nullptr) return winerr::ModNotFound;
  if (const auto registerApp = Find<RegisterAppProc>(library, "BceRegisterApp")) {
    const HANDLE app = registerApp(plat::kBidiAnyApplication);
    if (const auto uninstall = Find<UninstallLcsProc>(library, "BceUninstallLCS"))
      *status = uninstall(app, plat::kBidiAllServices, 0);
    if (const auto unregisterApp = Find<UnregisterAppProc>(library, "BceUnregisterApp")) unregisterApp(app);
  }
  FreeLibrary(library);
  return winerr::Success;
}

}  // namespace win32
