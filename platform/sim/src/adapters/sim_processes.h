// Processes port: programs started on the simulated machine are journalled
// with how they were asked to run. A detached program does nothing; a
// command does what the image's "commands" say it does.
#pragma once
#include "platform/processes.h"

namespace sim {

class MachineState;

class SimProcesses final : public plat::Processes {
 public:
  explicit SimProcesses(MachineState& m) : m_(m) {}
  plat::WinError StartDetached(const plat::ProcessLaunch& launch) override;
  plat::WinError RunCommand(std::string_view commandLine, bool wait) override;
  plat::WinError FindOnSearchPath(std::string_view fileName, std::string* fullPath) override;

 private:
  MachineState& m_;
};

}  // namespace sim
