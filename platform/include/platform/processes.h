// Processes port: starting other programs. The uninstaller starts programs it
// does not wait for, such as the batch file that deletes the uninstaller
// once it has exited, and the uninstall commands and tools of the maker's
// software, which it waits for.
#pragma once
#include <string>
#include <string_view>

#include "platform/win_errors.h"

namespace plat {

struct ProcessLaunch {
  std::string commandLine;
  std::string currentDirectory;  // empty: the caller's
  bool hideWindow = false;       // STARTF_USESHOWWINDOW with SW_HIDE
  // IDLE_PRIORITY_CLASS for the process and THREAD_PRIORITY_IDLE for its main
  // thread, so that it runs only when nothing else wants the processor.
  bool idlePriority = false;
  // CREATE_NEW_CONSOLE | CREATE_NEW_PROCESS_GROUP: a service-like program
  // that must outlive the uninstaller's console.
  bool newConsoleGroup = false;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // CreateProcess without inherited handles; the new process runs on its own
  // and its handles are closed at once.
  [[nodiscard]] virtual WinError StartDetached(const ProcessLaunch& launch) = 0;
  // Starts `commandLine` as given (no application name, so the system's
  // search for the program applies; paths are not quoted) with its window
  // at (1, 1) shown without activation (SW_SHOWNA), DETACHED_PROCESS and
  // NORMAL_PRIORITY_CLASS, no inherited handles. With `wait`, returns once
  // the program has ended, dispatching the calling thread's window
  // messages meanwhile. The error is the start's; the program's exit code is
  // not looked at.
  [[nodiscard]] virtual WinError RunCommand(std::string_view commandLine, bool wait) = 0;
  // SearchPath along the default search path; FileNotFound when absent.
  [[nodiscard]] virtual WinError FindOnSearchPath(std::string_view fileName, std::string* fullPath) = 0;
};

}  // namespace plat
