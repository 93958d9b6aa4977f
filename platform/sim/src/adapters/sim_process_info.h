// ProcessInfo port: where the image says the running program lies.
#pragma once
#include <string>

#include "platform/process_info.h"

namespace sim {

class MachineState;

class SimProcessInfo final : public plat::ProcessInfo {
 public:
  explicit SimProcessInfo(MachineState& m) : m_(m) {}
  std::string ModulePath() override;

 private:
  MachineState& m_;
};

}  // namespace sim
