// Ui port for runs without a user: message boxes are answered from the
// image's scripted answers and written to the journal.
#pragma once
#include <string>

#include "platform/ui.h"

namespace sim {

class MachineState;

class ScriptedUi final : public plat::Ui {
 public:
  explicit ScriptedUi(MachineState& m) : m_(m) {}
  int ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                  std::uint32_t flags) override;

 private:
  MachineState& m_;
};

}  // namespace sim
