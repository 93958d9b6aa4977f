// JobScheduler port: the network scheduling service's jobs of the simulated
// machine.
#pragma once
#include "platform/job_scheduler.h"

namespace sim {

class MachineState;

class SimJobScheduler final : public plat::JobScheduler {
 public:
  explicit SimJobScheduler(MachineState& m) : m_(m) {}
  plat::WinError EnumJobs(std::vector<plat::ScheduledJob>* jobs) override;
  plat::WinError DeleteJob(std::uint32_t id) override;

 private:
  MachineState& m_;
};

}  // namespace sim
