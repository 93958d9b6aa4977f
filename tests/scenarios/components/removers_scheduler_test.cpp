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

namespace remover_test {
namespace {

const char kWebUpdateKey[] = "HKLM\\software\\vorkast\\web_update";
const char kJobCommand[] = "C:\\Program Files\\BREVIK\\Web\\InstallWeb\\InstallWeb.exe /S /L:ENU,DEU";

json AtJobMachine(const char* installDir, json jobs) {
  json image = Machine("win2k", {{"Scheduler", {{"properties", {{"SchedulerType", "2"}}}}}}, json::object(),
                       {{kWebUpdateKey, {{"values", {{"InstallDir", installDir}, {"Languages", "ENU,DEU"}}}}}});
  image["scheduledJobs"] = std::move(jobs);
  return image;
}

std::vector<int> DeletedJobs(const RemoverRun& run) {
  std::vector<int> ids;
  for (const json& e : run.Events("scheduledJobDeleted")) ids.push_back(e["id"].get<int>());
  return ids;
}

TEST(RemoveAtJob, FindsTheWebUpdateJobAlsoUnderAnInstallDirEndingInABackslash) {
  for (const char* installDir : {"C:\\Program Files\\BREVIK\\Web", "C:\\Program Files\\BREVIK\\Web\\"}) {
    SCOPED_TRACE(installDir);
    RemoverRun run(AtJobMachine(installDir, {{{"id", 2}, {"command", "C:\\poll.exe"}},
                                             {{"id", 5}, {"command", kJobCommand}}}));
    EXPECT_TRUE(run.remover->RemoveAtJob());
    EXPECT_EQ(DeletedJobs(run), std::vector<int>{5});
  }
}

TEST(RemoveAtJob, DeletesOnlyTheLastOfTwoMatchingJobs) {
  RemoverRun run(AtJobMachine("C:\\Program Files\\BREVIK\\Web",
                              {{{"id", 3}, {"command", kJobCommand}}, {{"id", 9}, {"command", kJobCommand}}}));
  EXPECT_TRUE(run.remover->RemoveAtJob());
  EXPECT_EQ(DeletedJobs(run), std::vector<int>{9});
}

TEST(RemoveAtJob, DeletesNothingWhenNoJobMatchesExactly) {
  std::string otherCase = kJobCommand;
  otherCase.replace(otherCase.find("/S"), 2, "/s");
  RemoverRun run(AtJobMachine("C:\\Program Files\\BREVIK\\Web", {{{"id", 3}, {"command", otherCase}}}));
  EXPECT_FALSE(run.remover->RemoveAtJob());
  EXPECT_TRUE(DeletedJobs(run).empty());
}

json TaskMachine(bool agentWindow) {
  json image = Machine("win2k",
                       {{"Scheduler", {{"properties", {{"SchedulerType", "1"}, {"SchedulerTaskName", "Web Update"}}}}}},
                       {{"C:\\WINNT\\system32\\mstask.exe", json::object()}});
  image["scheduledTasks"] = {{"tasks", {"Web Update", "Other"}}};
  if (agentWindow)
    image["windows"] = {{{"id", 7}, {"className", "SAGEWINDOWCLASS"}, {"title", "SYSTEM AGENT COM WINDOW"}}};
  return image;
}

TEST(RemoveScheduledTask, StartsTheTaskAgentFirstWhenItsWindowIsAbsent) {
  RemoverRun run(TaskMachine(false));
  run.remover->RemoveScheduler();
  const std::vector<json>& journal = run.machine->journal();
  std::vector<std::string> order;
  for (std::size_t i = run.journalStart; i < journal.size(); ++i) {
    const std::string event = journal[i].value("event", "");
    if (event == "processStarted") order.push_back(journal[i]["commandLine"].get<std::string>());
    if (event == "taskDeleted") order.push_back("deleted " + journal[i]["name"].get<std::string>());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"C:\\WINNT\\System32\\mstask.exe", "deleted Web Update"}));
}

TEST(RemoveScheduledTask, LeavesTheAgentAloneWhenItsWindowIsThere) {
  RemoverRun run(TaskMachine(true));
  EXPECT_TRUE(run.remover->RemoveScheduledTask());
  EXPECT_TRUE(run.Events("processStarted").empty());
  EXPECT_EQ(run.Events("taskDeleted").size(), 1u);
}

}  // namespace
}  // namespace remover_test
