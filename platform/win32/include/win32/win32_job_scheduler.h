// JobScheduler port over NetScheduleJobEnum and NetScheduleJobDel of
// "netapi32.dll", found at run time.
#pragma once
#include "platform/job_scheduler.h"

namespace win32 {

class Win32JobScheduler final : public plat::JobScheduler {
 public:
  plat::WinError EnumJobs(std::vector<plat::ScheduledJob>* jobs) override;
  plat::WinError DeleteJob(std::uint32_t id) override;
};

}  // namespace win32
