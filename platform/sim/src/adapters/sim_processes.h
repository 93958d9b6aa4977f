// Processes port: programs started on the simulated machine are journalled
// with how they were asked to run. A detached program does nothing; a
// command does what the image's "commands" say it does.
#pragma once
#include "platform/processes.h"

namespace sim {

class MachineState;
class SimFiles;

class SimProcesses final : public plat::Processes {
 public:
  // Programs are looked up as the file system resolves names.
  SimProcesses(MachineState& m, SimFiles& files) : m_(m), files_(files) {}
  plat::WinError StartDetached(const plat::ProcessLaunch& launch) override;
  plat::WinError RunCommand(std::string_view commandLine, bool wait) override;
  plat::WinError FindOnSearchPath(std::string_view fileName, std::string* fullPath) override;

 private:
  MachineState& m_;
  SimFiles& files_;
};

}  // namespace sim
