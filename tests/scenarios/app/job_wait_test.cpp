// A printer whose queue still holds jobs: the progress dialog waits for it
// through the wait dialog, whose one-second timer gives up after more than
// thirty whole seconds.
#include <optional>

#include "run_harness.h"

namespace run_test {
namespace {

json XpWithBusyPrinter(std::optional<int> drainSeconds) {
  json image = Image("winxp");
  image["services"] = {{"spooler", {{"state", "running"}}}};
  image["drivers"] = json::array({{{"name", "Vor LP"}, {"driverPath", "vkpcl2a.dll"}}});
  json printer{{"name", "Vor Busy"}, {"driver", "Vor LP"}, {"port", "LPT1:"},
               {"jobs", json::array({{{"id", 3}, {"document", "a.doc"}}})}};
  if (drainSeconds) printer["drainSeconds"] = *drainSeconds;
  image["printers"] = json::array({printer});
  return image;
}

TEST(JobWait, TheWaitEndsWithOkWhenTheQueueEmptiesAndWithCancelAfterThirtyOneSecondsOrWhenTheUserCancels) {
  struct Case {
    const char* name;
    std::optional<int> drainSeconds;
    json answers;
    const char* endedBy;
    int seconds;
    bool printerGoes;
  };
  const Case cases[] = {
      {"queue empties", 3, json::array(), "emptyQueue", 3, true},
      {"queue stays full", std::nullopt, json::array(), "timeout", 31, false},
      {"user cancels", 20, json::array({{{"dialog", "wait"}, {"answer", "IDCANCEL"}, {"after", 5}}}), "cancel", 5,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    json image = XpWithBusyPrinter(c.drainSeconds);
    json answers = c.answers;
    answers.push_back(Dialog("completion", "IDOK"));
    SetAnswers(image, answers);
    RemovalRun run(image);
    run.TakeInventory({"Vor LP"});
    run.SelectPrinter("Vor Busy");

    run.app->RunInteractive(false);

    const auto waits = run.Events("waitForJobs");
    ASSERT_EQ(waits.size(), 1u);
    EXPECT_EQ(waits[0]["printer"], "Vor Busy");
    EXPECT_EQ(waits[0]["timeout"], 30);
    EXPECT_EQ(waits[0]["endedBy"], c.endedBy);
    EXPECT_EQ(waits[0]["seconds"], c.seconds);
    EXPECT_EQ(waits[0]["answer"], c.printerGoes ? "IDOK" : "IDCANCEL");
    EXPECT_EQ(run.app->printers.FindByName("Vor Busy")->state,
              c.printerGoes ? RemovalState::Removed : RemovalState::Failed);
    run.ExpectNoScriptErrors();
  }
}

TEST(JobWait, ASilentRunHasNoWaitAndLeavesTheBusyPrinter) {
  RemovalRun run(XpWithBusyPrinter(3));
  run.TakeInventory({"Vor LP"});
  run.SelectPrinter("Vor Busy");

  run.app->RunSilent();

  EXPECT_TRUE(run.Events("waitForJobs").empty());
  EXPECT_EQ(run.app->printers.FindByName("Vor Busy")->state, RemovalState::Failed);
  EXPECT_EQ(run.machine->VirtualMillis(), 0u);
}

}  // namespace
}  // namespace run_test
