#include "win32/win32_processes.h"

#include <windows.h>

#include <vector>

#include "wide.h"
#include "win_error_edge.h"

namespace win32 {

plat::WinError Win32Processes::StartDetached(const plat::ProcessLaunch& launch) {
  // CreateProcessW may write into the command line, so it gets its own copy.
  std::wstring command = Wide(launch.commandLine);
  std::vector<wchar_t> commandBuffer(command.begin(), command.end());
  commandBuffer.push_back(L'\0');
  const std::wstring directory = Wide(launch.currentDirectory);

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (launch.hideWindow) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
  }
  PROCESS_INFORMATION process{};
  DWORD creationFlags = launch.idlePriority ? IDLE_PRIORITY_CLASS : 0;
  // A hidden console program gets no console of its own; without this it
  // would share the console of a caller that has one (a command prompt, a
  // test harness) and write into it.
  if (launch.hideWindow) creationFlags |= CREATE_NO_WINDOW;
  if (!CreateProcessW(nullptr, commandBuffer.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
    return LastError();
  }
  if (launch.idlePriority) SetThreadPriority(process.hThread, THREAD_PRIORITY_IDLE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return winerr::Success;
}

}  // namespace win32
