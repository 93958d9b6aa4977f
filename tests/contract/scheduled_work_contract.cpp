#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using ScheduledWorkContract = ContractTest;

// APE_AT_ID_NOT_FOUND.
constexpr plat::WinError kAtJobIdNotFound{3806};

TEST_F(ScheduledWorkContract, DeletingAJobNobodyScheduledSaysTheIdIsUnknown) {
  if (!env_->HasJobScheduler()) GTEST_SKIP() << "no network scheduling service here";
  std::vector<plat::ScheduledJob> jobs;
  ASSERT_EQ(P().jobScheduler.EnumJobs(&jobs), winerr::Success);
  std::uint32_t unused = 0x7FFFFFF0;
  for (const auto& job : jobs)
    if (job.id == unused) ++unused;
  EXPECT_EQ(P().jobScheduler.DeleteJob(unused), kAtJobIdNotFound);
}

TEST_F(ScheduledWorkContract, DeletingAMissingTaskFails) {
  if (!env_->HasTaskScheduler()) GTEST_SKIP() << "no Task Scheduler here";
  EXPECT_EQ(P().taskScheduler.DeleteTask("Drvpurge No Such Task"), plat::TaskDeletion::DeleteFailed);
}

}  // namespace
}  // namespace contract
