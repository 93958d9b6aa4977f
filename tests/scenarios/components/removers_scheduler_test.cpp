// The web-update scheduler: the job of the network scheduling service and
// the Task Scheduler's task.
#include "remover_harness.h"

namespace remover_test {
namespace {

TEST(RemoveScheduler, GoesOnWithTheBaseDirectoryAndRecordWhenTheJobServiceIsMissing) {
  json image = Machine(
      "win2k", {{"Scheduler", {{"properties", {{"SchedulerType", "2"}, {"BaseDir", "C:\\Program Files\\BREVIK\\Web"}}}}}},
      {{"C:\\Program Files\\BREVIK\\Web\\upd.exe", json::object()}});
  image["faults"] = {Fault("JobScheduler.EnumJobs", "ERROR_MOD_NOT_FOUND", "*")};
  RemoverRun run(image);
  EXPECT_FALSE(run.remover->RemoveAtJob());
  run.remover->RemoveScheduler();
  EXPECT_FALSE(run.Exists("C:\\Program Files\\BREVIK\\Web\\upd.exe"));
  EXPECT_EQ(run.Forgotten(), std::vector<std::string>{"Scheduler"});
}

}  // namespace
}  // namespace remover_test
