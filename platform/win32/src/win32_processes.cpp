#include "win32/win32_processes.h"

#include <windows.h>

#include <vector>

#include "scoped_handle.h"
#include "wide.h"
#include "win_error_edge.h"

namespace win32 {
namespace {

void DispatchPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Until the process has ended, keeping the calling thread's windows alive.
// The thread sleeps until the process ends or a message arrives instead of
// polling without a pause. The handle's signal ends the wait too: a program
// whose exit code happens to be STILL_ACTIVE has ended all the same.
void WaitPumpingMessages(HANDLE process) {
  for (;;) {
    DispatchPendingMessages();
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code) || code != STILL_ACTIVE) return;
    if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return;
    if (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) == WAIT_FAILED) return;
  }
}

}  // namespace

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
  if (launch.newConsoleGroup) creationFlags |= CREATE_NEW_CONSOLE | CREATE_NEW_PROCESS_GROUP;
  if (!CreateProcessW(nullptr, commandBuffer.data(), nullptr, nullptr, FALSE, creationFlags, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
    return LastError();
  }
  if (launch.idlePriority) SetThreadPriority(process.hThread, THREAD_PRIORITY_IDLE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return winerr::Success;
}

plat::WinError Win32Processes::RunCommand(std::string_view commandLine, bool wait) {
  std::wstring command = Wide(commandLine);
  std::vector<wchar_t> commandBuffer(command.begin(), command.end());
  commandBuffer.push_back(L'\0');

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USEPOSITION | STARTF_USESHOWWINDOW;
  startup.dwX = 1;
  startup.dwY = 1;
  startup.wShowWindow = SW_SHOWNA;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandBuffer.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS | NORMAL_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &process)) {
    return LastError();
  }
  const ScopedHandle processHandle(process.hProcess);
  const ScopedHandle threadHandle(process.hThread);
  if (wait) WaitPumpingMessages(process.hProcess);
  return winerr::Success;
}

plat::WinError Win32Processes::FindOnSearchPath(std::string_view fileName, std::string* fullPath) {
  fullPath->clear();
  const std::wstring name = Wide(fileName);
  std::vector<wchar_t> buffer(MAX_PATH);
  for (int attempt = 0; attempt < 2; ++attempt) {
    LPWSTR filePart = nullptr;
    const DWORD n =
        SearchPathW(nullptr, name.c_str(), nullptr, static_cast<DWORD>(buffer.size()), buffer.data(), &filePart);
    if (n == 0) return LastError();
    if (n < buffer.size()) {
      *fullPath = Narrow(std::wstring_view(buffer.data(), n));
      return winerr::Success;
    }
    buffer.resize(n);  // n counts the terminating zero when the buffer was short
  }
  return winerr::InsufficientBuffer;
}

}  // namespace win32
