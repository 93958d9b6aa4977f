#include <windows.h>

#include "win32/win32_desktop.h"

#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "scoped_handle.h"
#include "wide.h"

namespace win32 {
namespace {

HWND ToHwnd(plat::WindowId w) { return reinterpret_cast<HWND>(w); }

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<plat::WindowId>*>(param)->push_back(reinterpret_cast<plat::WindowId>(hwnd));
  return TRUE;
}

}  // namespace

plat::WinError Win32Desktop::EnablePrivilege(std::string_view name) {
  ScopedHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.receive()))
    return LastError();
  const std::wstring wname = Wide(name);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, wname.c_str(), &privileges.Privileges[0].Luid)) return LastError();
  // AdjustTokenPrivileges succeeds even when nothing was granted; the last
  // error (NotAllAssigned) tells.
  SetLastError(ERROR_SUCCESS);
  if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return LastError();
  return LastError();
}

std::vector<plat::WindowId> Win32Desktop::TopLevelWindows() {
  std::vector<plat::WindowId> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

plat::WinError Win32Desktop::SendWithTimeout(plat::WindowId w, std::uint32_t msg, std::uintptr_t wparam,
                                            std::intptr_t lparam, std::uint32_t flags, std::uint32_t timeoutMs,
                                            std::uintptr_t* result) {
  DWORD_PTR answer = 0;
  SetLastError(ERROR_SUCCESS);
  if (SendMessageTimeoutW(ToHwnd(w), msg, wparam, lparam, flags, timeoutMs, &answer)) {
    if (result) *result = answer;
    return winerr::Success;
  }
  // Windows before 2000 leave the last error alone on a time-out.
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? FromWin32(error) : winerr::Timeout;
}

plat::WinError Win32Desktop::TerminateWindowProcess(plat::WindowId w) {
  DWORD processId = 0;
  if (!GetWindowThreadProcessId(ToHwnd(w), &processId) || processId == 0) return winerr::InvalidWindowHandle;
  ScopedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
  if (process.get() == nullptr) return LastError();
  return TerminateProcess(process.get(), 0) ? winerr::Success : LastError();
}

plat::WinError Win32Desktop::BroadcastWinIniChange(std::string_view section) {
  const std::wstring wsection = Wide(section);
  // A time-out per window, so that one hung program cannot hold the removal.
  DWORD_PTR answer = 0;
  SetLastError(ERROR_SUCCESS);
  if (SendMessageTimeoutW(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(wsection.c_str()),
                          SMTO_ABORTIFHUNG, 1000, &answer))
    return winerr::Success;
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? FromWin32(error) : winerr::Timeout;
}

plat::WinError Win32Desktop::Shutdown(std::uint32_t flags, std::uint32_t reason) {
  return ::ExitWindowsEx(flags, reason) ? winerr::Success : LastError();
}

bool Win32Desktop::HasTopLevelWindow(std::string_view className, std::string_view title) {
  // An empty class or title matches any, as FindWindow's null does.
  const std::wstring wclass = Wide(className);
  const std::wstring wtitle = Wide(title);
  return FindWindowW(wclass.empty() ? nullptr : wclass.c_str(), wtitle.empty() ? nullptr : wtitle.c_str()) !=
         nullptr;
}

}  // namespace win32
