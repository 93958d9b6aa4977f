#include "sim_job_scheduler.h"

#include <algorithm>

#include "model/machine_state.h"

namespace sim {

namespace {
// APE_AT_ID_NOT_FOUND: the scheduling service knows no job of that id.
constexpr plat::WinError kAtJobIdNotFound{3806};
}  // namespace

// The 9x family has no network scheduling service: netapi32 there lacks
// the procedures.
plat::WinError SimJobScheduler::EnumJobs(std::vector<plat::ScheduledJob>* jobs) {
  jobs->clear();
  if (auto e = m_.Fault("JobScheduler.EnumJobs", "")) return *e;
  if (!m_.data.IsNT()) return winerr::ProcNotFound;
  for (const auto& job : m_.data.scheduledJobs) jobs->push_back(plat::ScheduledJob{job.id, job.command});
  return winerr::Success;
}

// Only administrators may delete jobs of the local machine.
plat::WinError SimJobScheduler::DeleteJob(std::uint32_t id) {
  if (auto e = m_.Fault("JobScheduler.DeleteJob", std::to_string(id))) return *e;
  if (!m_.data.IsNT()) return winerr::ProcNotFound;
  if (!m_.data.token.IsAdministrator()) return winerr::AccessDenied;
  auto& jobs = m_.data.scheduledJobs;
  const auto it = std::find_if(jobs.begin(), jobs.end(), [&](const ScheduledJobEntry& j) { return j.id == id; });
  if (it == jobs.end()) return kAtJobIdNotFound;
  m_.Record({{"event", "scheduledJobDeleted"}, {"id", id}, {"command", it->command}});
  jobs.erase(it);
  return winerr::Success;
}

}  // namespace sim
