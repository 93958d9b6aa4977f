// Clock port over virtual time: waiting costs nothing, yet the seconds count.
#pragma once
#include "platform/clock.h"

namespace sim {

class MachineState;

class SimClock final : public plat::Clock {
 public:
  explicit SimClock(MachineState& m) : m_(m) {}
  void Sleep(std::uint32_t milliseconds) override;
  std::uint32_t TickCount() override;
  std::int64_t Now() override;

 private:
  MachineState& m_;
};

}  // namespace sim
