// Security port: the token groups the image gives the user, in their order.
#pragma once
#include <vector>

#include "platform/security.h"

namespace sim {

class MachineState;

class SimSecurity final : public plat::Security {
 public:
  explicit SimSecurity(MachineState& m) : m_(m) {}
  plat::WinError ThreadTokenGroups(std::vector<plat::Sid>* groups) override;
  plat::WinError ProcessTokenGroups(std::vector<plat::Sid>* groups) override;

 private:
  MachineState& m_;
};

}  // namespace sim
