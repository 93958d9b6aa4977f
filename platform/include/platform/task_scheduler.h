// TaskScheduler port: deleting one task of the Task Scheduler through its COM
// interface (CLSID_CTaskScheduler, ITaskScheduler::Delete). The adapter
// initialises COM for the call and uninitialises it afterwards.
#pragma once
#include <string_view>

namespace plat {

enum class TaskDeletion {
  Deleted,
  ComUnavailable,        // COM could not be initialised
  SchedulerUnavailable,  // the Task Scheduler object could not be created
  DeleteFailed,          // ITaskScheduler::Delete failed (no such task, ...)
};

class TaskScheduler {
 public:
  virtual ~TaskScheduler() = default;
  // `name` (UTF-8, like every text of the ports) is handed to the scheduler
  // in UTF-16, at most 255 characters.
  [[nodiscard]] virtual TaskDeletion DeleteTask(std::string_view name) = 0;
};

}  // namespace plat
