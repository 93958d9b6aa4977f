#include "sim_ports.h"

#include "model/machine_state.h"

namespace sim {

SimPorts::SimPorts(MachineState& m)
    : registry(m),
      services(m),
      osInfo(m),
      security(m),
      clock(m, *this),
      desktop(m, *this),
      resources(m),
      files(m),
      process(m),
      processes(m, files),
      ui(m, clock),
      spooler(m),
      profile(m),
      zipLister(m),
      installLog(m),
      jobScheduler(m),
      taskScheduler(m),
      bidiLibrary(m),
      m_(m) {}

void SimPorts::AdvanceTime(std::uint64_t milliseconds) {
  const std::uint64_t target = m_.data.clock.elapsedMs + milliseconds;
  // Services first, so events they journal carry their own due time.
  services.AdvanceTo(target);
  spooler.Drain(target);
  m_.data.clock.elapsedMs = target;
}

}  // namespace sim
