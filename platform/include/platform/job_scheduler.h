// JobScheduler port: the jobs of the network scheduling service ("at" jobs)
// of the local machine, through NetScheduleJobEnum and NetScheduleJobDel of
// "netapi32.dll". The adapter finds both at run time, since the library is
// absent on the 9x family, and loads it for each call.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_errors.h"

namespace plat {

struct ScheduledJob {
  std::uint32_t id = 0;
  // The job's command as UTF-8, like every text of the ports, at most 255
  // characters.
  std::string command;
};

class JobScheduler {
 public:
  virtual ~JobScheduler() = default;
  // Every job, with no size limit. ModNotFound / ProcNotFound when the
  // library or its procedures are missing.
  [[nodiscard]] virtual WinError EnumJobs(std::vector<ScheduledJob>* jobs) = 0;
  // NetScheduleJobDel with `id` as both bounds.
  [[nodiscard]] virtual WinError DeleteJob(std::uint32_t id) = 0;
};

}  // namespace plat
