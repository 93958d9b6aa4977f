// Desktop port: what a restart of Windows needs (privileges, top-level
// windows, messages with a time-out, ending processes, ExitWindowsEx), and the
// shell's own deletion of Start-menu items.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/handle.h"
#include "platform/win_errors.h"

namespace plat {

using WindowId = Handle;

namespace desk {
inline constexpr std::uint32_t WmQueryEndSession = 0x0011;
inline constexpr std::uint32_t WmEndSession = 0x0016;
inline constexpr std::uint32_t WmWinIniChange = 0x001A;
inline constexpr std::uintptr_t EndSessionLogoff = 0x80000000u;
inline constexpr std::uint32_t SmtoAbortIfHung = 0x0002;
inline constexpr std::uint32_t EwxLogoff = 0;
inline constexpr std::uint32_t EwxShutdown = 1;
inline constexpr std::uint32_t EwxReboot = 2;
inline constexpr std::uint32_t EwxForce = 4;
}  // namespace desk

class Desktop {
 public:
  virtual ~Desktop() = default;
  // OpenProcessToken + LookupPrivilegeValue + AdjustTokenPrivileges.
  virtual WinError EnablePrivilege(std::string_view name) = 0;
  // EnumWindows: every top-level window.
  virtual std::vector<WindowId> TopLevelWindows() = 0;
  // SendMessageTimeout. Success: the window answered, `result` holds its
  // answer. Timeout: it did not answer in time.
  virtual WinError SendWithTimeout(WindowId w, std::uint32_t msg, std::uintptr_t wparam, std::intptr_t lparam,
                                   std::uint32_t flags, std::uint32_t timeoutMs, std::uintptr_t* result) = 0;
  // GetWindowThreadProcessId + OpenProcess + TerminateProcess.
  virtual WinError TerminateWindowProcess(WindowId w) = 0;
  // SendMessageTimeout(HWND_BROADCAST, WM_WININICHANGE, 0, section): tells
  // every top-level window that a win.ini section changed.
  virtual WinError BroadcastWinIniChange(std::string_view section) = 0;
  // ExitWindowsEx.
  virtual WinError Shutdown(std::uint32_t flags, std::uint32_t reason) = 0;
  // FindWindow: a top-level window of that class and title exists.
  virtual bool HasTopLevelWindow(std::string_view className, std::string_view title) = 0;
  // SHFileOperation(FO_DELETE) of one file or folder with everything in it,
  // silently (FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI), no owner
  // window. The shell's own answer, 0 when it deleted. A path with a
  // wildcard (which the shell would take as a pattern) is refused with
  // InvalidName, one longer than 259 characters with
  // ERROR_FILENAME_EXCED_RANGE; neither deletes anything.
  [[nodiscard]] virtual WinError ShellDelete(std::string_view path) = 0;
};

}  // namespace plat
