// OsInfo port: the version record and computer name the image gives.
#pragma once
#include <string>

#include "platform/os_info.h"

namespace sim {

class MachineState;

class SimOsInfo final : public plat::OsInfo {
 public:
  explicit SimOsInfo(MachineState& m) : m_(m) {}
  plat::WinError GetVersion(plat::OsVersion* out) override;
  std::string ComputerName() override;

 private:
  MachineState& m_;
};

}  // namespace sim
