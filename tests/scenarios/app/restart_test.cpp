// The end of a run that needs a restart: a silent run follows its restart
// mode; an interactive run restarts only when the user confirms it with OK.
#include "run_harness.h"

namespace run_test {
namespace {

// A machine on which the running uninstaller stays locked and the batch that
// would remove it cannot start, so its files wait for a restart.
json NeedsRestart() {
  json image = Image("winxp");
  image["files"][kProgram] = {{"locked", true}};
  image["faults"] = {{{"call", "Processes.StartDetached"}, {"error", "ERROR_ACCESS_DENIED"}}};
  return image;
}

TEST(SilentRestart, EachRestartModeDecidesWithoutAskingExceptMinusOneWhichAsksOnlyTheRestartQuestion) {
  struct Case {
    int mode;
    const char* answer;  // to the restart question, when it is asked
    bool asks;
    bool restarts;
  };
  for (const Case& c : {Case{0, nullptr, false, false}, Case{1, nullptr, false, true}, Case{-1, "IDYES", true, true},
                        Case{-1, "IDNO", true, false}, Case{-1, "IDCANCEL", true, false}}) {
    SCOPED_TRACE(std::to_string(c.mode) + " " + (c.answer ? c.answer : ""));
    json image = NeedsRestart();
    if (c.answer) SetAnswers(image, {Dialog("completion", c.answer)});
    RemovalRun run(image);
    run.app->rebootMode = c.mode;

    run.app->RunSilent();

    ASSERT_TRUE(run.app->deleter.rebootNeeded);
    const auto completion = run.Events("completion");
    ASSERT_EQ(completion.size(), c.asks ? 1u : 0u);
    if (c.asks) {
      EXPECT_EQ(completion[0]["rebootNeeded"], true);
      EXPECT_FALSE(completion[0].contains("failures"));
    }
    EXPECT_EQ(run.Events("restart").size(), c.restarts ? 1u : 0u);
    run.ExpectNoScriptErrors();
  }
}

TEST(InteractiveRestart, OnlyOkWithYesChosenRestartsAndClosingTheDialogCountsAsNo) {
  struct Case {
    const char* answer;
    bool restarts;
  };
  for (const Case& c : {Case{"IDOK", true}, Case{"IDYES", true}, Case{"IDNO", false}, Case{"IDCANCEL", false}}) {
    SCOPED_TRACE(c.answer);
    json image = NeedsRestart();
    SetAnswers(image, {Dialog("completion", c.answer)});
    RemovalRun run(image);

    run.app->RunInteractive(false);

    ASSERT_EQ(run.Events("completion").size(), 1u);
    EXPECT_EQ(run.Events("completion")[0]["rebootNeeded"], true);
    EXPECT_EQ(run.Events("restart").size(), c.restarts ? 1u : 0u);
    run.ExpectNoScriptErrors();
  }
}

TEST(InteractiveRun, TheWizardEndsTheRunOnCancelAndWithExitCodeOneOnBack) {
  struct Case {
    json answers;
    int exitCode;
    bool removes;
  };
  for (const Case& c : {Case{json::array({Dialog("wizard", "IDCANCEL")}), 0, false},
                        Case{json::array(), 0, false},  // nobody at the wizard
                        Case{json::array({Dialog("wizard", "BACK")}), 1, false},
                        Case{json::array({Dialog("wizard", "IDOK"), Dialog("completion", "IDOK")}), 0, true}}) {
    SCOPED_TRACE(c.answers.dump());
    json image = Image("winxp");
    SetAnswers(image, c.answers);
    RemovalRun run(image);
    run.app->backButton = true;

    run.app->RunInteractive(true);

    EXPECT_EQ(run.app->exitCode, c.exitCode);
    EXPECT_EQ(run.Events("progress").size(), c.removes ? 1u : 0u);
    run.ExpectNoScriptErrors();
  }
}

TEST(ScriptedDialogs, AnAnswerThatIsNoButtonOfItsDialogIsAnErrorThatNamesIt) {
  json image = Image("winxp");
  SetAnswers(image, {Dialog("wizard", "BACK"), Dialog("completion", "IDYES")});
  RemovalRun run(image);

  run.app->RunInteractive(true);  // no B switch: the wizard has no Back
  ASSERT_EQ(run.Events("wizard").size(), 1u);
  EXPECT_EQ(run.Events("wizard")[0].value("error", ""),
            "the answer BACK is not a button of the wizard dialog (IDOK, IDCANCEL)");
}

}  // namespace
}  // namespace run_test
