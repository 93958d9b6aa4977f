// Processes port: starting other programs. The uninstaller starts programs it
// does not wait for, such as the batch file that deletes the uninstaller
// once it has exited.
#pragma once
#include <string>

#include "platform/win_errors.h"

namespace plat {

struct ProcessLaunch {
  std::string commandLine;
  std::string currentDirectory;  // empty: the caller's
  bool hideWindow = false;       // STARTF_USESHOWWINDOW with SW_HIDE
  // IDLE_PRIORITY_CLASS for the process and THREAD_PRIORITY_IDLE for its main
  // thread, so that it runs only when nothing else wants the processor.
  bool idlePriority = false;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // CreateProcess without inherited handles; the new process runs on its own
  // and its handles are closed at once.
  virtual WinError StartDetached(const ProcessLaunch& launch) = 0;
};

}  // namespace plat
