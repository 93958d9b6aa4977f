#include "sim_clock.h"

#include "model/machine_state.h"
#include "sim_ports.h"

namespace sim {

// Virtual time only moves when somebody waits, so a test of a 30-second
// retry loop runs at once and can still assert on the seconds.
void SimClock::Sleep(std::uint32_t milliseconds) { ports_.AdvanceTime(milliseconds); }

std::uint32_t SimClock::TickCount() {
  return static_cast<std::uint32_t>(m_.data.clock.startTick + m_.data.clock.elapsedMs);
}

std::int64_t SimClock::Now() {
  return m_.data.clock.startNow + static_cast<std::int64_t>(m_.data.clock.elapsedMs / 1000);
}

}  // namespace sim
