// BidiLibrary port: the bidirectional-communication library as the image
// describes it.
#pragma once
#include "platform/bidi_library.h"

namespace sim {

class MachineState;

class SimBidiLibrary final : public plat::BidiLibrary {
 public:
  explicit SimBidiLibrary(MachineState& m) : m_(m) {}
  plat::WinError Uninstall(std::string_view libraryPath, std::int32_t* status) override;

 private:
  MachineState& m_;
};

}  // namespace sim
