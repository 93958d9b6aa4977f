#include "sim_processes.h"

#include "model/machine_state.h"

namespace sim {

// Nothing runs on the simulated machine: a started program is journalled
// with how it was asked to run, which is what a test can check.
plat::WinError SimProcesses::StartDetached(const plat::ProcessLaunch& launch) {
  if (auto e = m_.Fault("Processes.StartDetached", launch.commandLine)) return *e;
  nlohmann::json entry{{"event", "processStarted"},
                       {"commandLine", launch.commandLine},
                       {"directory", launch.currentDirectory},
                       {"window", launch.hideWindow ? "hidden" : "shown"},
                       {"priority", launch.idlePriority ? "idle" : "normal"}};
  m_.Record(std::move(entry));
  return winerr::Success;
}

}  // namespace sim

namespace sim {

// PLACEHOLDER: a command is journalled and does nothing to the machine.
plat::WinError SimProcesses::RunCommand(std::string_view commandLine, bool wait) {
  if (auto e = m_.Fault("Processes.RunCommand", commandLine)) return *e;
  m_.Record({{"event", "commandRun"}, {"commandLine", std::string(commandLine)}, {"wait", wait}});
  return winerr::Success;
}

plat::WinError SimProcesses::FindOnSearchPath(std::string_view fileName, std::string* fullPath) {
  if (auto e = m_.Fault("Processes.FindOnSearchPath", fileName)) return *e;
  fullPath->clear();
  return winerr::FileNotFound;
}

}  // namespace sim
