// The printer pass: which printers go, what their removal leaves behind,
// and what the progress dialog is told.
#include "removal_harness.h"

namespace printing_test {
namespace {

const char kPrintersKey[] = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";

json XpWithMakerDriver() {
  json image = Image("winxp");
  AddDrivers(image, {Driver("Vor LP", kNtX86, 3, "vkpcl2a.dll")});
  AddForeignDriver(image, "Contoso Jet");
  return image;
}

TEST(PrinterPass, OnlyTheMakersSelectedPrintersGoAndOnlyTheyAreReported) {
  json image = XpWithMakerDriver();
  AddPrinters(image, {Printer("Contoso Office", "Contoso Jet"), Printer("Vor Front", "Vor LP", "USB001"),
                      Printer("Vor Back", "Vor LP")});
  AddKey(image, std::string(kPrintersKey) + "Contoso Office", {{"Port", "LPT1:"}});
  AddKey(image, std::string(kPrintersKey) + "Vor Front", {{"Port", "USB001"}});
  Removal run(image, {"Vor LP"});
  run.Select({"Contoso Office", "Vor Front"});
  RecordedProgress progress;
  run.app->printers.RemoveSelected({}, &progress);

  EXPECT_EQ(progress.updates, (std::vector<std::string>{"Removing \"Vor Front\" files...", "step"}));
  EXPECT_EQ(run.PrintersLeft(), (std::vector<std::string>{"Contoso Office", "Vor Back"}));
  EXPECT_EQ(run.PrinterNamed("Contoso Office").state, RemovalState::NotTried);
  EXPECT_EQ(run.PrinterNamed("Vor Back").state, RemovalState::NotTried);
  EXPECT_EQ(run.PrinterNamed("Vor Front").state, RemovalState::Removed);
  // The removed printer's keys went with it; the other maker's stay.
  EXPECT_FALSE(run.KeyExists(std::string(kPrintersKey) + "Vor Front"));
  EXPECT_TRUE(run.KeyExists(std::string(kPrintersKey) + "Contoso Office"));
  // Its USB port was handed on to be freed, which needs a spooler restart on XP.
  EXPECT_TRUE(run.app->restartSpooler);
}

TEST(PrinterPass, ASharedDriverGoesOnlyWithItsLastPrinter) {
  json image = XpWithMakerDriver();
  AddPrinters(image, {Printer("Vor Front", "Vor LP"), Printer("Vor Back", "Vor LP")});
  {
    Removal one(image, {"Vor LP"});
    one.Select({"Vor Front"});
    one.Run();
    CPrinterDriverSet& set = one.SetNamed("Vor LP");
    EXPECT_EQ(set.PrinterNames(), std::vector<std::string>{"Vor Back"});
    // The drivers are chosen, but the set stays whole while a printer uses it.
    EXPECT_TRUE(set.drivers[0]->selected);
    EXPECT_EQ(set.drivers[0]->state, RemovalState::NotTried);
    EXPECT_TRUE(one.Events("driverDeleted").empty());
    EXPECT_FALSE(one.app->restartSpooler);  // LPT1: frees no port
  }
  Removal both(image, {"Vor LP"});
  both.Select({"Vor Front", "Vor Back"});
  both.Run();
  CPrinterDriverSet& set = both.SetNamed("Vor LP");
  EXPECT_TRUE(set.PrinterNames().empty());
  EXPECT_EQ(set.drivers[0]->state, RemovalState::Removed);
  const auto deleted = both.Events("driverDeleted");
  ASSERT_EQ(deleted.size(), 1u);
  EXPECT_EQ(deleted[0]["name"], "Vor LP");
  EXPECT_FALSE(both.app->drivers.AnyMakerDriverLeft());
  EXPECT_FALSE(both.app->printers.AnyMakerPrinterLeft());
}

TEST(PrinterPass, APrinterWithJobsWaitsForTheCallbackAndIsLeftWithoutOne) {
  json image = XpWithMakerDriver();
  json busy = Printer("Vor Busy", "Vor LP");
  busy["jobs"] = json::array({{{"id", 3}, {"document", "a.doc"}}});
  AddPrinters(image, {busy});

  struct Case {
    const char* what;
    bool withCallback;
    bool answer;
    RemovalState expected;
  };
  for (const Case& c : {Case{"no callback", false, false, RemovalState::Failed},
                        Case{"declined", true, false, RemovalState::Failed},
                        Case{"accepted", true, true, RemovalState::Removed}}) {
    SCOPED_TRACE(c.what);
    Removal run(image, {"Vor LP"});
    run.Select({"Vor Busy"});
    std::vector<std::string> askedFor;
    WaitForJobsCallback wait;
    if (c.withCallback) {
      wait = [&](CPrinter& printer) {
        askedFor.push_back(printer.name);
        return c.answer;
      };
    }
    RecordedProgress progress;
    run.Run(wait, &progress);
    CPrinter& printer = run.PrinterNamed("Vor Busy");
    EXPECT_EQ(printer.state, c.expected);
    EXPECT_EQ(askedFor, c.withCallback ? std::vector<std::string>{"Vor Busy"} : std::vector<std::string>{});
    // The step is counted whatever became of the printer.
    EXPECT_EQ(progress.updates.back(), "step");
    CPrinterDriverSet& set = run.SetNamed("Vor LP");
    if (c.expected == RemovalState::Failed) {
      EXPECT_EQ(run.PrintersLeft(), std::vector<std::string>{"Vor Busy"});
      EXPECT_EQ(set.PrinterNames(), std::vector<std::string>{"Vor Busy"});
      EXPECT_EQ(set.drivers[0]->state, RemovalState::NotTried);
      EXPECT_TRUE(run.app->printers.AnyMakerPrinterLeft());
    } else {
      const auto deleted = run.Events("printerDeleted");
      ASSERT_EQ(deleted.size(), 1u);
      EXPECT_TRUE(deleted[0].value("pending", false));  // goes once its job has printed
      EXPECT_TRUE(set.PrinterNames().empty());
    }
  }
}

TEST(PrinterPass, APrinterIsOpenedOnceOnItsWayOut) {
  json image = XpWithMakerDriver();
  AddPrinters(image, {Printer("Vor Front", "Vor LP")});
  // The queue is read and the printer deleted through the one handle; a
  // second open would be refused.
  image["faults"] = json::array({{{"call", "Spooler.OpenPrinterByName"}, {"error", "ERROR_ACCESS_DENIED"}, {"skip", 1}}});
  Removal run(image, {"Vor LP"});
  run.Select({"Vor Front"});
  run.Run();
  EXPECT_EQ(run.PrinterNamed("Vor Front").state, RemovalState::Removed);
  EXPECT_TRUE(run.PrintersLeft().empty());
}

TEST(PrinterPass, ASpoolerRefusalLeavesThePrinterItsKeysAndItsSet) {
  json image = XpWithMakerDriver();
  AddPrinters(image, {Printer("Vor Front", "Vor LP", "USB001"), Printer("Vor Back", "Vor LP")});
  AddKey(image, std::string(kPrintersKey) + "Vor Front", {{"Port", "USB001"}});
  AddKey(image, std::string(kPrintersKey) + "Vor Back", {{"Port", "LPT1:"}});
  image["faults"] = json::array({{{"call", "Spooler.DeletePrinter"}, {"error", "ERROR_ACCESS_DENIED"}, {"count", 1}}});
  Removal run(image, {"Vor LP"});
  run.Select({"Vor Front", "Vor Back"});
  EXPECT_EQ(run.PrinterNamed("Vor Front").Remove(), winerr::AccessDenied);
  EXPECT_EQ(run.PrinterNamed("Vor Front").state, RemovalState::Failed);
  EXPECT_TRUE(run.KeyExists(std::string(kPrintersKey) + "Vor Front"));
  CPrinterDriverSet& set = run.SetNamed("Vor LP");
  EXPECT_EQ(set.PrinterNames(), (std::vector<std::string>{"Vor Front", "Vor Back"}));
  EXPECT_FALSE(set.drivers[0]->selected);

  // The pass goes on with the next printer; the refused one keeps the driver.
  run.PrinterNamed("Vor Front").selected = false;
  run.Run();
  EXPECT_EQ(run.PrinterNamed("Vor Back").state, RemovalState::Removed);
  EXPECT_EQ(run.PrintersLeft(), std::vector<std::string>{"Vor Front"});
  EXPECT_EQ(set.PrinterNames(), std::vector<std::string>{"Vor Front"});
  EXPECT_EQ(set.drivers[0]->state, RemovalState::NotTried);
  EXPECT_FALSE(run.app->restartSpooler);  // the USB printer was not removed
}

TEST(PrinterPass, AConnectionIsDeletedAsAConnectionOnNt) {
  json image = XpWithMakerDriver();
  AddPrinters(image, {{{"name", "Vor Shared"}, {"server", "\\\\PRINTSRV"}, {"driver", "Vor LP"}}});
  Removal run(image, {"Vor LP"});
  run.Select({"\\\\PRINTSRV\\Vor Shared"});
  run.Run();
  EXPECT_EQ(run.PrinterNamed("\\\\PRINTSRV\\Vor Shared").state, RemovalState::Removed);
  const auto deleted = run.Events("connectionDeleted");
  ASSERT_EQ(deleted.size(), 1u);
  EXPECT_EQ(deleted[0]["name"], "\\\\PRINTSRV\\Vor Shared");
  EXPECT_TRUE(run.Events("printerDeleted").empty());
}

}  // namespace
}  // namespace printing_test
