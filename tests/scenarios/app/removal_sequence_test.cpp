// The removal worker's order under the progress dialog: printers, drivers,
// components children first, and what a failure in one of its steps leaves.
#include "run_harness.h"

namespace run_test {
namespace {

const char kNtX86[] = "Windows NT x86";

json XpWithMakerPrinter() {
  json image = Image("winxp");
  image["services"] = {{"spooler", {{"state", "running"}}}};
  image["drivers"] = json::array({{{"name", "Vor LP"}, {"environment", kNtX86}, {"driverPath", "vkpcl2a.dll"}}});
  image["printers"] = json::array({{{"name", "Vor Front"}, {"driver", "Vor LP"}, {"port", "LPT1:"}}});
  return image;
}

TEST(RemovalOrder, ComponentsShownUnderAnotherGoBeforeItAndTheBarCountsEveryItem) {
  json image = Image("winxp");
  SetAnswers(image, {Dialog("completion", "IDOK")});
  RemovalRun run(image);
  run.AddComponent("A", "", true);
  run.AddComponent("B", "A", true);
  run.AddComponent("C", "B", true);
  run.AddComponent("D", "", false);
  run.AddComponent("E", "", true);
  run.AddComponent("F", "A", true);

  run.app->RunInteractive(false);

  EXPECT_EQ(run.StatusTexts(),
            (std::vector<std::string>{"Removing \"Printer Objects\" files...", "Removing \"C\" files...",
                                      "Removing \"B\" files...", "Removing \"F\" files...", "Removing \"A\" files...",
                                      "Removing \"E\" files...", "Attempting to remove locked files..."}));
  const auto status = run.Events("status");
  ASSERT_FALSE(status.empty());
  EXPECT_EQ(status.front()["flags"], 3);
  EXPECT_EQ(status.front()["bar"], 0);
  for (const json& s : status) EXPECT_EQ(s["receiverFrees"], true);
  ASSERT_EQ(run.Events("progress").size(), 1u);
  EXPECT_EQ(run.Events("progress")[0]["total"], 5);
  EXPECT_EQ(run.Events("progressClosed")[0]["bar"], 5);
  EXPECT_EQ(run.Events("removalDone").size(), 1u);
  EXPECT_TRUE(run.app->items[run.app->items.Find("D")].removed);
  run.ExpectNoScriptErrors();
}

TEST(RemovalOrder, ASilentRunSendsNoStatusAndShowsNoDialog) {
  RemovalRun run(Image("winxp"));
  run.AddComponent("A", "", true);
  run.app->RunSilent();
  EXPECT_TRUE(run.Events("status").empty());
  EXPECT_TRUE(run.Events("progress").empty());
  EXPECT_TRUE(run.Events("completion").empty());
  EXPECT_TRUE(run.Events("removalDone").empty());
  EXPECT_TRUE(run.app->items[0].removed);
}

TEST(RemovalFailure, AFailureInAStepSkipsToTheLockedFilesAndListsWhatWasNotRemoved) {
  json image = XpWithMakerPrinter();
  image["files"]["C:\\Data\\held.dll"] = {{"locked", true}};
  image["faults"] = {{{"call", "Spooler.DeletePrinter"}, {"error", "ERROR_NOT_ENOUGH_MEMORY"}, {"raises", true}}};
  SetAnswers(image, {Dialog("completion", "IDNO")});
  RemovalRun run(image);
  run.TakeInventory({"Vor LP"});
  run.SelectPrinter("Vor Front");
  run.AddComponent("Suite", "", true);
  run.AddComponent("Other", "", false);
  ASSERT_TRUE(run.app->deleter.DeleteFileOrDefer("C:\\Data\\held.dll"));

  run.app->RunInteractive(false);

  // Nothing after the printer pass ran: no component, no clean-up, no notice.
  EXPECT_EQ(run.StatusTexts(), (std::vector<std::string>{"Removing \"Printer Objects\" files...",
                                                          "Removing \"Vor Front\" files..."}));
  EXPECT_FALSE(run.app->selfRemove);
  // Step 17 still ran: the locked file went to the restart, the dialog closed.
  EXPECT_EQ(run.Paths("moveOnReboot", "source"), (std::vector<std::string>{"C:\\Data\\held.dll"}));
  EXPECT_EQ(run.Events("removalDone").size(), 1u);
  const auto completion = run.Events("completion");
  ASSERT_EQ(completion.size(), 1u);
  EXPECT_EQ(completion[0]["rebootNeeded"], true);
  EXPECT_EQ(completion[0].value("failures", ""), "Suite\r\n");
  run.ExpectNoScriptErrors();
}

TEST(RemovalFailure, ADriverTheSpoolerStillListsIsReportedAndKeepsTheUninstaller) {
  const std::string key =
      "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Drivers\\Version-3\\Vor LP";
  json image = Image("winxp");
  image["services"] = {{"spooler", {{"state", "running"}}}};
  image["drivers"] = json::array({{{"name", "Vor LP"}, {"environment", kNtX86}, {"driverPath", "vkpcl2a.dll"}}});
  image["registry"][key] = {{"values", {{"Driver", "vkpcl2a.dll"}}}};
  // Neither the spooler nor its key lets the driver go.
  image["faults"] = {{{"call", "Spooler.DeleteDriverEx"}, {"error", "ERROR_ACCESS_DENIED"}},
                     {{"call", "Registry.DeleteKey"}, {"error", "ERROR_ACCESS_DENIED"}, {"match", key}}};
  SetAnswers(image, {Dialog("completion", "IDOK")});
  RemovalRun run(image);
  run.TakeInventory({"Vor LP"});
  for (CPrinterDriver* driver : run.app->orphanDrivers) driver->selected = true;

  run.app->RunInteractive(false);

  const json drivers = run.machine->Save()["drivers"];
  ASSERT_EQ(drivers.size(), 1u);
  EXPECT_EQ(drivers[0]["name"], "Vor LP");
  const auto completion = run.Events("completion");
  ASSERT_EQ(completion.size(), 1u);
  EXPECT_EQ(completion[0].value("failures", ""), "Vor LP\r\n");
  // The maker's driver is still there, so its uninstaller stays too.
  EXPECT_FALSE(run.app->selfRemove);
  EXPECT_TRUE(run.Events("processStarted").empty());
  run.ExpectNoScriptErrors();
}

}  // namespace
}  // namespace run_test
