// Processes port: programs started on the simulated machine are journalled
// with how they were asked to run; none of them runs.
#pragma once
#include "platform/processes.h"

namespace sim {

class MachineState;

class SimProcesses final : public plat::Processes {
 public:
  explicit SimProcesses(MachineState& m) : m_(m) {}
  plat::WinError StartDetached(const plat::ProcessLaunch& launch) override;

 private:
  MachineState& m_;
};

}  // namespace sim
