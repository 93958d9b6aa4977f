// The network job scheduler and the Task Scheduler, asked about jobs and
// tasks that are there and that are not.
#include <vector>

#include "contract_env.h"
#include "platform/job_scheduler.h"
#include "platform/task_scheduler.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using SchedulersContract = ContractTest;

TEST_F(SchedulersContract, JobsAreListedAndAJobThatIsNotThereIsNotDeleted) {
  // Wine's netapi32 does not return the failure of its call to the
  // scheduling service (not running, and not started on demand): it raises
  // it (1753, no endpoint), which ends the program.
  SKIP_ON_WINE("the job enumeration raises an exception when the Schedule service does not run");
  if (!IsNT()) GTEST_SKIP() << "no network scheduling service on the 9x family";
  std::vector<plat::ScheduledJob> jobs{{7, "stale"}};
  ASSERT_EQ(P().jobScheduler.EnumJobs(&jobs), winerr::Success);
  for (const auto& job : jobs) EXPECT_NE(job.command, "stale");
  EXPECT_NE(P().jobScheduler.DeleteJob(0x7FFFFFF0u), winerr::Success);
}

TEST_F(SchedulersContract, ATaskIsDeletedOnceAndATaskThatIsNotThereIsNot) {
  // Wine creates the Task Scheduler and answers a missing task with a
  // failure, as Windows does.
  EXPECT_EQ(P().taskScheduler.DeleteTask("Drvpurge No Such Task"), plat::TaskDeletion::DeleteFailed);
  if (!env_->ArrangeScheduledTask("Drvpurge Contract Task")) GTEST_SKIP() << "no task can be arranged here";
  EXPECT_EQ(P().taskScheduler.DeleteTask("Drvpurge Contract Task"), plat::TaskDeletion::Deleted);
  EXPECT_EQ(P().taskScheduler.DeleteTask("Drvpurge Contract Task"), plat::TaskDeletion::DeleteFailed);
}

}  // namespace
}  // namespace contract
