#include "sim_task_scheduler.h"

#include <algorithm>

#include "model/machine_state.h"

namespace sim {

// A fault on the call stands for ITaskScheduler::Delete failing.
plat::TaskDeletion SimTaskScheduler::DeleteTask(std::string_view name) {
  if (m_.Fault("TaskScheduler.DeleteTask", name)) return plat::TaskDeletion::DeleteFailed;
  TaskSchedulerState& s = m_.data.scheduledTasks;
  if (!s.available) return plat::TaskDeletion::SchedulerUnavailable;
  const auto it =
      std::find_if(s.tasks.begin(), s.tasks.end(), [&](const std::string& task) { return text::IEquals(task, name); });
  if (it == s.tasks.end()) return plat::TaskDeletion::DeleteFailed;
  m_.Record({{"event", "taskDeleted"}, {"name", *it}});
  s.tasks.erase(it);
  return plat::TaskDeletion::Deleted;
}

}  // namespace sim
