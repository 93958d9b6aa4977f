#include "wizard/removal_dialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusRecord, SetsTheBarWhenGivenAPositionElseStepsIt) {
  struct Case {
    int flags;
    int current;
    int given;
    int expected;
  };
  const Case cases[] = {
      {kStatusPosition, 3, 7, 7},
      {kStatusStep, 3, 7, 4},
      {kStatusPosition | kStatusStep, 3, 7, 7},  // set, not also advanced
      {kStatusText, 3, 7, 3},
      {kStatusText | kStatusStep, 0, 0, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ProgressAfter(c.flags, c.current, c.given), c.expected) << c.flags;
}

TEST(WaitForQueue, EndsWithTheEmptyQueueOrAfterMoreWholeSecondsThanTheTimeout) {
  struct Case {
    bool empty;
    std::uint32_t elapsedMs;
    WaitTick expected;
  };
  const Case cases[] = {
      {false, 1000, WaitTick::KeepWaiting},
      {true, 3000, WaitTick::QueueEmpty},
      {false, 30000, WaitTick::KeepWaiting},
      {false, 30999, WaitTick::KeepWaiting},  // 30 whole seconds do not exceed 30
      {false, 31000, WaitTick::TimedOut},
      {true, 31000, WaitTick::QueueEmpty},  // an emptied queue wins over the clock
  };
  for (const Case& c : cases) EXPECT_EQ(DecideWaitTick(c.empty, c.elapsedMs, 30), c.expected) << c.elapsedMs;
}

TEST(Completion, WithoutFailuresOrRestartSaysOnlyThatItIsComplete) {
  const CompletionView v = ViewCompletion(false, false);
  EXPECT_EQ(v.completeMessage, "Uninstall is complete.");
  EXPECT_FALSE(v.showRestartChoice);
  EXPECT_FALSE(v.showFailures);
  EXPECT_EQ(v.errorMessage, "");
  EXPECT_EQ(v.restartChoice, -1);
}

TEST(Completion, ANeededRestartStartsOnYesAndFailuresGetTheirHeading) {
  const CompletionView v = ViewCompletion(true, true);
  EXPECT_EQ(v.completeMessage,
            "Some files to be removed are in use, you must reboot your system to complete the uninstall. Please "
            "choose one of the options and click OK");
  EXPECT_TRUE(v.showRestartChoice);
  EXPECT_EQ(v.restartChoice, kRestartNow);
  EXPECT_EQ(v.yesText, "Yes, I want to restart Windows now.");
  EXPECT_EQ(v.noText, "No, I will restart my computer later.");
  EXPECT_TRUE(v.showFailures);
  EXPECT_EQ(v.errorMessage, "The following items could not be uninstalled:");
}

TEST(Completion, OnlyOkWithYesRestarts) {
  EXPECT_EQ(RestartChoiceOnClose(true, kRestartNow), kRestartNow);
  EXPECT_EQ(RestartChoiceOnClose(true, kRestartLater), kRestartLater);
  EXPECT_EQ(RestartChoiceOnClose(false, kRestartNow), kRestartLater);
  EXPECT_EQ(RestartChoiceOnClose(true, -1), kRestartLater);
}

}  // namespace
