// Locked files after the removal: retried around a stop of the spooler on
// Windows 2000/XP, once a second for at most 30 seconds, and scheduled for the
// next start of Windows when they stay locked or the system is another.
#include "run_harness.h"

namespace run_test {
namespace {

const char kHeld[] = "C:\\Data\\held.dll";

json WithServices(json image) {
  image["services"] = {{"spooler", {{"state", "running"}}}, {"vorbces", {{"state", "running"}}}};
  return image;
}

TEST(LockedFiles, OnlyWindows2000AndXpStopTheSpoolerAndRetryForThirtySecondsBeforeScheduling) {
  struct Case {
    const char* os;
    bool stopsSpooler;
  };
  for (const Case& c : {Case{"winxp", true}, Case{"win2k", true}, Case{"nt4", false}, Case{"win98", false}}) {
    SCOPED_TRACE(c.os);
    json image = WithServices(Image(c.os));
    image["files"][kHeld] = {{"locked", true}};
    RemovalRun run(image);
    ASSERT_TRUE(run.app->deleter.DeleteFileOrDefer(kHeld));

    run.app->RetryLockedFiles();

    EXPECT_EQ(run.Paths("serviceStopped", "name"),
              c.stopsSpooler ? std::vector<std::string>{"spooler"} : std::vector<std::string>{});
    EXPECT_EQ(run.Paths("serviceStarted", "name"),
              c.stopsSpooler ? std::vector<std::string>{"spooler"} : std::vector<std::string>{});
    // Thirty tries a second apart, then the restart list; elsewhere at once.
    EXPECT_EQ(run.machine->VirtualMillis(), c.stopsSpooler ? 30000u : 0u);
    EXPECT_FALSE(run.app->deleter.HasDeferred());
    EXPECT_TRUE(run.app->deleter.rebootNeeded);
  }
}

TEST(LockedFiles, AFileTheSpoolerHeldGoesOnTheFirstTryAfterTheStop) {
  json image = WithServices(Image("winxp"));
  image["files"][kHeld] = {{"lockedBy", "spooler"}};
  RemovalRun run(image);
  ASSERT_TRUE(run.app->deleter.DeleteFileOrDefer(kHeld));

  run.app->RetryLockedFiles();

  EXPECT_EQ(run.Paths("fileDeleted"), std::vector<std::string>{kHeld});
  EXPECT_EQ(run.machine->VirtualMillis(), 1000u);
  EXPECT_FALSE(run.app->deleter.rebootNeeded);
  EXPECT_EQ(run.Paths("serviceStarted", "name"), std::vector<std::string>{"spooler"});
}

TEST(LockedFiles, TheBidiServiceThatStaysIsStoppedAndStartedAroundTheRetry) {
  json image = WithServices(Image("winxp"));
  image["files"][kHeld] = {{"lockedBy", "vorbces"}};
  RemovalRun run(image);
  run.AddComponent("Bidi", "", false);
  ASSERT_TRUE(run.app->deleter.DeleteFileOrDefer(kHeld));

  run.app->RunSilent();

  EXPECT_TRUE(run.app->keepBidiService);
  EXPECT_EQ(run.Paths("serviceStopped", "name"), (std::vector<std::string>{"spooler", "vorbces"}));
  EXPECT_EQ(run.Paths("serviceStarted", "name"), (std::vector<std::string>{"vorbces", "spooler"}));
  EXPECT_EQ(run.Paths("fileDeleted"), std::vector<std::string>{kHeld});
}

TEST(SpoolerRestart, WithNothingLockedTheSpoolerIsRestartedOnXpWithAtMostElevenStarts) {
  json image = WithServices(Image("winxp"));
  image["faults"] = {{{"call", "Services.Start"}, {"error", "ERROR_SERVICE_DISABLED"}, {"match", "spooler"}}};
  RemovalRun run(image);
  run.app->restartSpooler = true;

  run.app->RetryLockedFiles();

  EXPECT_EQ(run.Paths("serviceStopped", "name"), std::vector<std::string>{"spooler"});
  EXPECT_EQ(run.Events("fault").size(), 11u);
  EXPECT_EQ(run.machine->VirtualMillis(), 11u * 2000u);

  // Elsewhere the spooler is left alone.
  RemovalRun nt4(WithServices(Image("nt4")));
  nt4.app->restartSpooler = true;
  nt4.app->RetryLockedFiles();
  EXPECT_TRUE(nt4.Events("serviceStopped").empty());
}

}  // namespace
}  // namespace run_test
