#include "win32/win32_resource_strings.h"

#include <windows.h>

#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "wide.h"

namespace win32 {
namespace {

HMODULE ToModule(plat::Handle h) { return reinterpret_cast<HMODULE>(h); }

// String-table entries hold at most 65535 characters.
constexpr std::size_t kMaxResourceChars = 65536;

}  // namespace

plat::WinError Win32ResourceStrings::Load(std::string_view path, plat::Handle* module) {
  const std::wstring wpath = Wide(path);
  // Loaded as a real module, as the program always has: the library's DllMain
  // runs and its resources become reachable through the handle.
  HMODULE h = LoadLibraryW(wpath.c_str());
  if (module) *module = reinterpret_cast<plat::Handle>(h);
  return h ? winerr::Success : LastError();
}

plat::WinError Win32ResourceStrings::LoadText(plat::Handle module, std::uint32_t id, std::string* out) {
  std::wstring buffer(256, L'\0');
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    const int length = LoadStringW(ToModule(module), id, buffer.data(), static_cast<int>(buffer.size()));
    if (length <= 0) {
      const DWORD error = GetLastError();
      if (out) out->clear();
      return error != ERROR_SUCCESS ? FromWin32(error) : winerr::ResourceNameNotFound;
    }
    // A full buffer may mean a cut text: try again with more room.
    if (static_cast<std::size_t>(length) + 1 >= buffer.size() && buffer.size() < kMaxResourceChars) {
      buffer.resize(buffer.size() * 4);
      continue;
    }
    if (out) *out = Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(length)));
    return winerr::Success;
  }
}

void Win32ResourceStrings::Close(plat::Handle module) {
  if (module != plat::kNoHandle) FreeLibrary(ToModule(module));
}

}  // namespace win32
