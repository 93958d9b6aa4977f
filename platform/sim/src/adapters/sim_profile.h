// Profile port over the machine's win.ini.
#pragma once
#include <string>

#include "platform/profile.h"

namespace sim {

class MachineState;

class SimProfile final : public plat::Profile {
 public:
  explicit SimProfile(MachineState& m) : m_(m) {}
  std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue) override;
  plat::WinError WriteString(std::string_view section, std::string_view key, std::string_view value) override;

 private:
  MachineState& m_;
};

}  // namespace sim
