// Desktop::ShellDelete: the shell removes a file or a whole folder.
#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "win32/win32_desktop.h"
#include "wide.h"
#include "win_error_edge.h"

namespace win32 {
namespace {

constexpr UINT kSilently = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;  // 0x414
static_assert(kSilently == 0x414);

}  // namespace

plat::WinError Win32Desktop::ShellDelete(std::string_view path) {
  const std::wstring wpath = Wide(path);
  // The shell reads a list of names, each ended by a zero and the list by a
  // second one; the buffer is zeroed and a name that would not leave both
  // zeros is refused rather than cut to some other path.
  wchar_t from[MAX_PATH + 1] = {};
  // The shell takes wildcards as a pattern and deletes every match; no
  // file's name holds one, so such a path names nothing to delete.
  if (wpath.empty() || wpath.find_first_of(L"*?") != std::wstring::npos) return winerr::InvalidName;
  if (wpath.size() > MAX_PATH - 1) return FromWin32(ERROR_FILENAME_EXCED_RANGE);
  std::memcpy(from, wpath.data(), wpath.size() * sizeof(wchar_t));

  SHFILEOPSTRUCTW operation{};
  operation.hwnd = nullptr;
  operation.wFunc = FO_DELETE;
  operation.pFrom = from;
  operation.fFlags = kSilently;
  return FromWin32(static_cast<DWORD>(SHFileOperationW(&operation)));
}

}  // namespace win32
