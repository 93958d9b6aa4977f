// Clock port over virtual time: waiting costs nothing, yet the seconds count.
#pragma once
#include "platform/clock.h"

namespace sim {

class MachineState;
class SimPorts;

class SimClock final : public plat::Clock {
 public:
  SimClock(MachineState& m, SimPorts& ports) : m_(m), ports_(ports) {}
  void Sleep(std::uint32_t milliseconds) override;
  std::uint32_t TickCount() override;
  std::int64_t Now() override;

 private:
  MachineState& m_;
  SimPorts& ports_;  // waiting moves the whole machine's time on
};

}  // namespace sim
