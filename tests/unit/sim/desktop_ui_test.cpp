#include "platform/win_errors.h"
#include "sim/message_box_text.h"
#include "sim_test_util.h"

using simtest::Events;
using simtest::Load;
namespace desk = plat::desk;

namespace {

TEST(ScriptedUi, AnswersAreTakenInOrderAndTextPatternsMustMatch) {
  auto m = Load(R"({"ui": {"answers": [{"text": "*nothing to uninstall*", "answer": "IDYES"}, "IDNO"]}})");
  auto& ui = m->platform().ui;
  const std::uint32_t yesNoQuestion = plat::mb::YesNo | plat::mb::IconQuestion;
  // A box the script did not expect gets its default and the answer waits.
  EXPECT_EQ(ui.ShowMessage(0, "Unexpected?", "Uninstall", yesNoQuestion), plat::mb::IdNo);
  EXPECT_EQ(ui.ShowMessage(0, "There is nothing to uninstall.  Remove?", "Uninstall", yesNoQuestion), plat::mb::IdYes);
  EXPECT_EQ(ui.ShowMessage(0, "Anything", "Uninstall", plat::mb::YesNoCancel), plat::mb::IdNo);
  EXPECT_EQ(ui.ShowMessage(0, "No answers left", "Uninstall", plat::mb::Ok | plat::mb::IconError), plat::mb::IdOk);
  EXPECT_EQ(ui.ShowMessage(0, "No answers left", "Uninstall", plat::mb::OkCancel), plat::mb::IdCancel);

  const auto boxes = Events(*m, "messageBox");
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[0]["unanswered"], true);
  EXPECT_EQ(boxes[0]["expected"], "*nothing to uninstall*");
  EXPECT_EQ(boxes[1]["answer"], "IDYES");
  EXPECT_EQ(boxes[1]["icon"], "question");
  EXPECT_EQ(boxes[1]["buttons"], "yesno");
  EXPECT_FALSE(boxes[1].contains("unanswered"));
  EXPECT_EQ(boxes[3]["icon"], "error");
  EXPECT_EQ(boxes[3]["unanswered"], true);
}

TEST(ScriptedUi, AnAnswerThatIsNoButtonOfTheBoxIsAnErrorNamingTheBox) {
  auto m = Load(R"({"ui": {"answers": ["IDYES", {"text": "Retry?", "answer": "IDNO"}, "IDRETRY", "IDCANCEL"]}})");
  auto& ui = m->platform().ui;
  const std::uint32_t retryCancel = 0x5;
  const int idRetry = 4;
  // A box can only give back one of its own buttons: the default stands in.
  EXPECT_EQ(ui.ShowMessage(0, "Done.", "Uninstall", plat::mb::Ok), plat::mb::IdOk);
  EXPECT_EQ(ui.ShowMessage(0, "Retry?", "Copy", retryCancel), plat::mb::IdCancel);
  EXPECT_EQ(ui.ShowMessage(0, "Again?", "Copy", retryCancel), idRetry);
  EXPECT_EQ(ui.ShowMessage(0, "Sure?", "Uninstall", plat::mb::YesNo), plat::mb::IdNo);

  const auto boxes = Events(*m, "messageBox");
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_EQ(boxes[0]["error"], "the answer IDYES is not a button of the box \"Uninstall\" (ok): Done.");
  EXPECT_EQ(boxes[0]["unanswered"], true);
  EXPECT_EQ(boxes[1]["error"], "the answer IDNO is not a button of the box \"Copy\" (retrycancel): Retry?");
  EXPECT_FALSE(boxes[2].contains("error"));
  EXPECT_EQ(boxes[3]["error"], "the answer IDCANCEL is not a button of the box \"Uninstall\" (yesno): Sure?");
}

TEST(MessageBoxText, NamesReadBackToTheirAnswers) {
  for (int id = 1; id <= 7; ++id) EXPECT_EQ(sim::AnswerFromName(sim::AnswerName(id)), id);
  EXPECT_EQ(sim::AnswerFromName("yes"), plat::mb::IdYes);
  EXPECT_EQ(sim::AnswerFromName("IDMAYBE"), std::nullopt);
  EXPECT_EQ(sim::IconName(plat::mb::IconWarning | plat::mb::YesNo), "warning");
  EXPECT_EQ(sim::ButtonsName(plat::mb::IconWarning | plat::mb::YesNo), "yesno");
}

const char* kDesktop = R"({"os": "%OS%", "windows": [
    {"id": 101, "title": "Explorer", "process": 1200},
    {"id": 102, "title": "Explorer tray", "process": 1200},
    {"id": 200, "title": "Stuck", "process": 1300, "hung": true}]})";

std::unique_ptr<sim::Machine> DesktopOn(const std::string& os) {
  std::string image = kDesktop;
  image.replace(image.find("%OS%"), 4, os);
  return Load(image);
}

TEST(Desktop, AHungWindowCostsItsTimeoutAndItsProcessCanBeEnded) {
  auto m = DesktopOn("win98");
  auto& d = m->platform().desktop;
  EXPECT_EQ(d.TopLevelWindows().size(), 3u);
  std::uintptr_t result = 0;
  ASSERT_EQ(d.SendWithTimeout(101, desk::WmQueryEndSession, 0, desk::EndSessionLogoff, desk::SmtoAbortIfHung, 2000,
                              &result),
            winerr::Success);
  EXPECT_EQ(result, 1u);
  EXPECT_EQ(m->VirtualMillis(), 0u);
  EXPECT_EQ(d.SendWithTimeout(200, desk::WmQueryEndSession, 0, 0, desk::SmtoAbortIfHung, 2000, &result),
            winerr::Timeout);
  EXPECT_EQ(m->VirtualMillis(), 2000u);
  ASSERT_EQ(d.TerminateWindowProcess(101), winerr::Success);
  EXPECT_EQ(d.TopLevelWindows(), (std::vector<plat::WindowId>{200}));  // both windows of process 1200 went
  EXPECT_EQ(d.SendWithTimeout(101, desk::WmEndSession, 1, 0, 0, 2000, &result), winerr::InvalidWindowHandle);
  EXPECT_EQ(Events(*m, "windowMessage").size(), 2u);
  EXPECT_EQ(Events(*m, "processTerminated")[0]["process"], 1200);
  // The 9x family needs no privilege to restart.
  EXPECT_EQ(d.EnablePrivilege("SeShutdownPrivilege"), winerr::CallNotImplemented);
  ASSERT_EQ(d.Shutdown(desk::EwxReboot, 0), winerr::Success);
  const auto restart = Events(*m, "restart");
  ASSERT_EQ(restart.size(), 1u);
  EXPECT_EQ(restart[0]["how"], "ExitWindowsEx");
  EXPECT_EQ(restart[0]["flags"], 2);
}

TEST(Desktop, RestartingNTNeedsTheShutdownPrivilegeEnabled) {
  auto m = DesktopOn("winxp");
  auto& d = m->platform().desktop;
  EXPECT_EQ(d.Shutdown(desk::EwxReboot, 0), winerr::PrivilegeNotHeld);
  EXPECT_EQ(d.EnablePrivilege("SeNoSuchPrivilege"), winerr::NoSuchPrivilege);
  ASSERT_EQ(d.EnablePrivilege("SeShutdownPrivilege"), winerr::Success);
  EXPECT_EQ(d.Shutdown(desk::EwxReboot, 0), winerr::Success);
  EXPECT_EQ(Events(*m, "privilege")[0]["name"], "SeShutdownPrivilege");
  EXPECT_EQ(Events(*m, "restart").size(), 1u);
}

TEST(Clock, SleepMovesTickAndTimeTogether) {
  auto m = Load(R"({"clock": {"now": 1000, "tick": 4294967000}})");
  auto& c = m->platform().clock;
  EXPECT_EQ(c.Now(), 1000);
  c.Sleep(1500);
  EXPECT_EQ(c.Now(), 1001);
  EXPECT_EQ(c.TickCount(), 1204u);  // wrapped like GetTickCount
  EXPECT_EQ(m->VirtualMillis(), 1500u);
}

}  // namespace
