// TaskScheduler port: the Task Scheduler's tasks of the simulated machine.
#pragma once
#include "platform/task_scheduler.h"

namespace sim {

class MachineState;

class SimTaskScheduler final : public plat::TaskScheduler {
 public:
  explicit SimTaskScheduler(MachineState& m) : m_(m) {}
  plat::TaskDeletion DeleteTask(std::string_view name) override;

 private:
  MachineState& m_;
};

}  // namespace sim
