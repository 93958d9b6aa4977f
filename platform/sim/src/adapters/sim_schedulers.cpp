// PLACEHOLDER until the image describes scheduled jobs, tasks and the bidi
// library: nothing of them exists on the machine.
#include "model/machine_state.h"
#include "sim_bidi_library.h"
#include "sim_job_scheduler.h"
#include "sim_task_scheduler.h"

namespace sim {

plat::WinError SimJobScheduler::EnumJobs(std::vector<plat::ScheduledJob>* jobs) {
  if (auto e = m_.Fault("JobScheduler.EnumJobs", "")) return *e;
  jobs->clear();
  return winerr::Success;
}

plat::WinError SimJobScheduler::DeleteJob(std::uint32_t id) {
  if (auto e = m_.Fault("JobScheduler.DeleteJob", std::to_string(id))) return *e;
  return winerr::FileNotFound;
}

plat::TaskDeletion SimTaskScheduler::DeleteTask(std::string_view name) {
  static_cast<void>(name);
  return plat::TaskDeletion::DeleteFailed;
}

plat::WinError SimBidiLibrary::Uninstall(std::string_view libraryPath, std::int32_t* status) {
  if (auto e = m_.Fault("BidiLibrary.Uninstall", libraryPath)) return *e;
  *status = 0;
  return winerr::ModNotFound;
}

}  // namespace sim
