// TaskScheduler port over the Task Scheduler's COM interface.
#pragma once
#include "platform/task_scheduler.h"

namespace win32 {

class Win32TaskScheduler final : public plat::TaskScheduler {
 public:
  plat::TaskDeletion DeleteTask(std::string_view name) override;
};

}  // namespace win32
