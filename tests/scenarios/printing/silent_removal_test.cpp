// A silent run on the example machine with the maker's printers: what goes,
// what stays, and the files the spooler held until it was stopped.
#include <fstream>
#include <sstream>

#include "../app/startup_harness.h"
#include "platform/services.h"

namespace {

using startup_test::RunStartup;

nlohmann::json MakerMachine() {
  std::ifstream in(EXAMPLES_DIR "/winxp-maker.json");
  std::stringstream text;
  text << in.rdbuf();
  return nlohmann::json::parse(text.str());
}

std::vector<std::string> PrinterNames(sim::Machine& m) {
  std::vector<plat::PrinterInfo> list;
  EXPECT_EQ(m.platform().spooler.ListPrinters(plat::spool::EnumLocal | plat::spool::EnumConnections, &list),
            winerr::Success);
  std::vector<std::string> names;
  for (const auto& p : list) names.push_back(p.printerName);
  return names;
}

TEST(SilentRemoval, RemovesTheMakersIdlePrintersAndFreedDriversOnly) {
  auto run = RunStartup(MakerMachine(), {"/S"});
  ASSERT_TRUE(run.machine);
  EXPECT_EQ(run.exitCode, 0);
  // The printer with queued jobs stays: a silent run has nobody to wait with.
  EXPECT_EQ(PrinterNames(*run.machine),
            (std::vector<std::string>{"BREVIK BRV-4500 PS", "Office LaserJet", "\\\\PRINTSRV\\Colour Room"}));
  std::vector<plat::DriverInfo> drivers;
  ASSERT_EQ(run.machine->platform().spooler.EnumDrivers(plat::spool::EnvAll, 3, &drivers), winerr::Success);
  std::vector<std::string> driverNames;
  for (const auto& d : drivers) driverNames.push_back(d.name);
  EXPECT_EQ(driverNames,
            (std::vector<std::string>{"BREVIK BRV-4500 PS", "Contoso LaserJet 4", "Fabrikam Color"}));
  EXPECT_TRUE(run.app->printers.AnyMakerPrinterLeft());
}

TEST(SilentRemoval, FilesHeldByTheSpoolerGoWhileItIsStopped) {
  auto run = RunStartup(MakerMachine(), {"/S"});
  ASSERT_TRUE(run.machine);
  auto& files = run.machine->platform().files;
  EXPECT_FALSE(files.Exists("C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\vkpcl2a.dll"));
  EXPECT_FALSE(files.Exists("C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\vkpcl2ui.dll"));
  EXPECT_EQ(run.Events("serviceStopped").size(), 1u);
  EXPECT_EQ(run.Events("serviceStarted").size(), 1u);
  EXPECT_EQ(run.machine->ServiceState("spooler"), plat::svc::Running);
  EXPECT_FALSE(run.app->deleter.HasDeferred());
  EXPECT_FALSE(run.app->deleter.rebootNeeded);
}

TEST(SilentRemoval, PrintersThatCannotBeListedKeepEveryMakersDriverAndTheRunSaysSo) {
  nlohmann::json image = MakerMachine();
  image["faults"] = {{{"call", "Spooler.ListPrinters"}, {"error", "ERROR_ACCESS_DENIED"}}};
  auto run = RunStartup(image, {"/S"});
  ASSERT_TRUE(run.machine);
  // The maker's PostScript printer still uses its driver; without the list
  // nothing tells which sets are free, so none is.
  EXPECT_TRUE(run.Events("driverDeleted").empty());
  EXPECT_TRUE(run.machine->platform().files.Exists("C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\vkpcl2a.dll"));
  EXPECT_TRUE(run.machine->KeyExists(
      "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Drivers\\Version-3\\"
      "BREVIK BRV-4500 PS"));
  EXPECT_FALSE(run.app->restartSpooler);
  EXPECT_TRUE(run.app->drivers.AnyMakerDriverLeft());
  EXPECT_EQ(run.app->drivers.FailureText(),
            "The printers could not be listed, so no printer driver was removed.\n"
            "BREVIK BRV-2100 PCL5\nBREVIK BRV-4500 PS\n");

  // Listed as usual, the failure text names only what failed.
  auto listed = RunStartup(MakerMachine(), {"/S"});
  ASSERT_TRUE(listed.machine);
  EXPECT_EQ(listed.app->drivers.FailureText(), "");
}

TEST(SilentRemoval, OnWindows98LockedFilesWaitForTheRestart) {
  std::ifstream in(EXAMPLES_DIR "/win98-maker.json");
  std::stringstream text;
  text << in.rdbuf();
  auto run = RunStartup(nlohmann::json::parse(text.str()), {"/S"});
  ASSERT_TRUE(run.machine);
  EXPECT_TRUE(run.Events("serviceStopped").empty());
  EXPECT_TRUE(run.app->deleter.rebootNeeded);
  // WinInit.INI carries the deletions for the next start.
  std::string wininit;
  ASSERT_EQ(run.machine->platform().files.ReadText("C:\\WINDOWS\\WININIT.INI", &wininit), winerr::Success);
  EXPECT_NE(wininit.find("[Rename]"), std::string::npos);
  EXPECT_NE(wininit.find("NUL="), std::string::npos);
}

}  // namespace
