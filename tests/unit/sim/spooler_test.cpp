#include "platform/services.h"
#include "platform/spooler.h"
#include "platform/win_errors.h"
#include "sim_test_util.h"

using simtest::Events;
using simtest::Load;

namespace {


const char* kXp = R"({
  "os": "winxp",
  "services": {"Spooler": {"state": "running", "onStop": "stops"}},
  "files": {"C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\vk.dll": {"lockedBy": "spooler"}},
  "drivers": [
    {"name": "Maker PCL", "version": 3, "driverPath": "vk.dll", "dataFile": "vk.gpd", "configFile": "vkui.dll",
     "dependentFiles": ["vk.dll", "shared.dll"]},
    {"name": "Maker PCL", "environment": "Windows 4.0", "driverPath": "vk.drv", "dataFile": "vk.drv",
     "configFile": "vk.drv"},
    {"name": "Other", "driverPath": "other.dll", "dataFile": "other.gpd", "configFile": "otherui.dll",
     "dependentFiles": ["shared.dll"]},
    {"name": "Spare", "driverPath": "spare.dll", "dataFile": "spare.gpd", "configFile": "spareui.dll"}
  ],
  "printers": [
    {"name": "Maker 1", "driver": "Maker PCL", "port": "USB001",
     "jobs": [{"id": 3, "document": "a.doc"}, {"id": 4, "document": "b.doc"}], "drainSeconds": 5},
    {"name": "Other", "driver": "Other", "port": "LPT1:"},
    {"name": "Remote", "server": "\\\\SRV", "driver": "Other"}
  ],
  "printProcessors": [{"name": "VKPrint", "dll": "vkprint.dll"}]
})";

std::vector<std::string> PrinterNames(plat::Spooler& s, std::uint32_t flags) {
  std::vector<plat::PrinterInfo> list;
  EXPECT_EQ(s.ListPrinters(flags, &list), winerr::Success);
  std::vector<std::string> names;
  for (const auto& p : list) names.push_back(p.printerName);
  return names;
}

TEST(SimSpooler, EnumeratesLocalPrintersAndConnectionsSeparately) {
  auto m = Load(kXp);
  auto& s = m->platform().spooler;
  EXPECT_EQ(PrinterNames(s, plat::spool::EnumLocal), (std::vector<std::string>{"Maker 1", "Other"}));
  EXPECT_EQ(PrinterNames(s, plat::spool::EnumConnections), (std::vector<std::string>{"\\\\SRV\\Remote"}));
  std::vector<plat::PrinterInfo> all;
  ASSERT_EQ(s.ListPrinters(plat::spool::EnumLocal | plat::spool::EnumConnections, &all), winerr::Success);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].jobs, 2u);
  EXPECT_EQ(all[2].serverName, "\\\\SRV");
}

TEST(SimSpooler, DriverRecordsCarryFullPathsAndEnvironmentRules) {
  auto m = Load(kXp);
  auto& s = m->platform().spooler;
  std::vector<plat::DriverInfo> all;
  ASSERT_EQ(s.EnumDrivers("all", 6, &all), winerr::Success);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].driverPath, "C:\\WINDOWS\\System32\\spool\\drivers\\w32x86\\3\\vk.dll");
  EXPECT_EQ(all[0].version, 3u);
  EXPECT_EQ(all[1].environment, "Windows 4.0");
  EXPECT_EQ(all[1].version, 0u);
  EXPECT_EQ(all[1].driverPath, "C:\\WINDOWS\\System32\\spool\\drivers\\win40\\0\\vk.drv");
  EXPECT_FALSE(all[1].hasDependentFiles);
  std::vector<plat::DriverInfo> win40;
  ASSERT_EQ(s.EnumDrivers("windows 4.0", 3, &win40), winerr::Success);
  EXPECT_EQ(win40.size(), 1u);
  EXPECT_EQ(s.EnumDrivers("Windows NT Sparc", 3, &win40), winerr::InvalidEnvironment);
  // The files the records name exist in the driver directory's version folder.
  EXPECT_TRUE(m->platform().files.Exists("C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\vkui.dll"));

  std::string dir;
  ASSERT_EQ(s.GetDriverDirectory("Windows 4.0", &dir), winerr::Success);
  EXPECT_EQ(dir, "C:\\WINDOWS\\System32\\spool\\drivers\\win40");
  ASSERT_EQ(s.GetProcessorDirectory("", &dir), winerr::Success);
  EXPECT_EQ(dir, "C:\\WINDOWS\\System32\\spool\\prtprocs\\w32x86");
}

TEST(SimSpooler, OlderSystemsRefuseAllEnvironmentsAndLevelSix) {
  auto nt4 = Load(R"({"os": "nt4", "drivers": [{"name": "D", "driverPath": "d.dll"}]})");
  std::vector<plat::DriverInfo> list;
  EXPECT_EQ(nt4->platform().spooler.EnumDrivers("all", 3, &list), winerr::InvalidEnvironment);
  EXPECT_NE(nt4->platform().spooler.EnumDrivers("", 6, &list), winerr::Success);
  ASSERT_EQ(nt4->platform().spooler.EnumDrivers("", 3, &list), winerr::Success);
  EXPECT_EQ(list.at(0).version, 2u);
  EXPECT_EQ(list.at(0).driverPath, "C:\\WINNT\\System32\\spool\\drivers\\w32x86\\2\\d.dll");

  auto w98 = Load(R"({"os": "win98", "drivers": [{"name": "D", "driverPath": "d.drv"}]})");
  auto& s98 = w98->platform().spooler;
  EXPECT_EQ(s98.EnumDrivers("all", 3, &list), winerr::InvalidEnvironment);
  EXPECT_EQ(s98.EnumDrivers("Windows NT x86", 3, &list), winerr::InvalidEnvironment);
  ASSERT_EQ(s98.EnumDrivers("Windows 4.0", 3, &list), winerr::Success);
  EXPECT_EQ(list.at(0).version, 0x400u);
  EXPECT_EQ(list.at(0).driverPath, "C:\\WINDOWS\\SYSTEM\\d.drv");
  std::string dir;
  ASSERT_EQ(s98.GetProcessorDirectory("Windows 4.0", &dir), winerr::Success);
  EXPECT_EQ(dir, "C:\\WINDOWS\\SYSTEM");
}

TEST(SimSpooler, ADriverInUseCannotBeDeletedUntilItsPrintersGo) {
  auto m = Load(kXp);
  auto& s = m->platform().spooler;
  EXPECT_EQ(s.DeleteDriver("Windows NT x86", "Other"), winerr::PrinterDriverInUse);
  EXPECT_EQ(s.DeleteDriver("Windows NT x86", "Nobody"), winerr::UnknownPrinterDriver);
  // The additional 95/98 driver of a used name is not what printers use.
  EXPECT_EQ(s.DeleteDriver("Windows 4.0", "Maker PCL"), winerr::Success);

  plat::Handle h = 0;
  EXPECT_EQ(s.OpenPrinterByName("No Such Printer", plat::spool::PrinterAllAccess, &h), winerr::InvalidPrinterName);
  ASSERT_EQ(s.OpenPrinterByName("other", plat::spool::PrinterAllAccess, &h), winerr::Success);
  EXPECT_EQ(s.DeletePrinter(h), winerr::Success);
  EXPECT_EQ(s.ClosePrinter(h), winerr::Success);
  EXPECT_EQ(s.ClosePrinter(h), winerr::InvalidHandle);
  // The connection still uses "Other".
  EXPECT_EQ(s.DeleteDriver("Windows NT x86", "Other"), winerr::PrinterDriverInUse);
  EXPECT_EQ(s.DeleteConnection("\\\\SRV\\Nope"), winerr::InvalidPrinterName);
  EXPECT_EQ(s.DeleteConnection("\\\\srv\\remote"), winerr::Success);
  EXPECT_EQ(s.DeleteDriver("Windows NT x86", "Other"), winerr::Success);
  EXPECT_EQ(Events(*m, "printerDeleted").size(), 1u);
  EXPECT_EQ(Events(*m, "connectionDeleted").size(), 1u);
  EXPECT_EQ(Events(*m, "driverDeleted").size(), 2u);
}

TEST(SimSpooler, DeletingAPrinterWithJobsWaitsForTheQueueToDrain) {
  auto m = Load(kXp);
  auto& p = m->platform();
  plat::UniquePrinter printer;
  {
    plat::Handle h = 0;
    ASSERT_EQ(p.spooler.OpenPrinterByName("Maker 1", plat::spool::PrinterAllAccess, &h), winerr::Success);
    printer = plat::UniquePrinter(p.spooler, h);
  }
  std::vector<plat::JobInfo> jobs;
  ASSERT_EQ(p.spooler.ListJobs(printer.get(), 1, 10, &jobs), winerr::Success);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].document, "b.doc");
  ASSERT_EQ(p.spooler.DeletePrinter(printer.get()), winerr::Success);
  EXPECT_EQ(PrinterNames(p.spooler, plat::spool::EnumLocal).size(), 2u);  // still there, pending
  EXPECT_EQ(p.spooler.DeleteDriver("", "Maker PCL"), winerr::PrinterDriverInUse);
  p.clock.Sleep(5000);
  EXPECT_EQ(PrinterNames(p.spooler, plat::spool::EnumLocal), (std::vector<std::string>{"Other"}));
  const auto deleted = Events(*m, "printerDeleted");
  ASSERT_EQ(deleted.size(), 2u);
  EXPECT_EQ(deleted[1]["t"], 5000);
  EXPECT_EQ(p.spooler.DeleteDriver("", "Maker PCL"), winerr::Success);
}

TEST(SimSpooler, SpecificVersionDeletionThroughTheExtendedCall) {
  auto m = Load(kXp);
  auto& p = m->platform();
  EXPECT_EQ(p.spooler.DeleteDriverEx("Windows NT x86", "Spare", plat::spool::DpdDeleteSpecificVersion, 2),
            winerr::UnknownPrinterDriver);
  ASSERT_EQ(p.spooler.DeleteDriverEx("Windows NT x86", "Spare",
                                     plat::spool::DpdDeleteSpecificVersion | plat::spool::DpdDeleteUnusedFiles, 3),
            winerr::Success);
  EXPECT_FALSE(p.files.Exists("C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\spare.dll"));
}

TEST(SimSpooler, DeletingFilesKeepsWhatOtherDriversShareAndWhatIsHeld) {
  auto m = Load(kXp);
  auto& p = m->platform();
  plat::Handle h = 0;
  ASSERT_EQ(p.spooler.OpenPrinterByName("Maker 1", plat::spool::PrinterAllAccess, &h), winerr::Success);
  p.clock.Sleep(5000);
  ASSERT_EQ(p.spooler.DeletePrinter(h), winerr::Success);
  const std::string dir = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\";
  // "All files" is all or nothing while the spooler holds vk.dll.
  EXPECT_EQ(p.spooler.DeleteDriverEx("", "Maker PCL", plat::spool::DpdDeleteAllFiles, 0),
            winerr::PrinterDriverInUse);
  ASSERT_EQ(p.spooler.DeleteDriverEx("", "Maker PCL", plat::spool::DpdDeleteUnusedFiles, 0),
            winerr::Success);
  EXPECT_TRUE(p.files.Exists(dir + "vk.dll"));       // held by the spooler
  EXPECT_TRUE(p.files.Exists(dir + "shared.dll"));   // "Other" lists it too
  EXPECT_FALSE(p.files.Exists(dir + "vkui.dll"));
}

TEST(SimSpooler, ReRegistrationReplacesTheRecordOfThatVersion) {
  auto m = Load(kXp);
  auto& s = m->platform().spooler;
  std::vector<plat::DriverInfo> list;
  ASSERT_EQ(s.EnumDrivers("Windows NT x86", 3, &list), winerr::Success);
  plat::DriverInfo again = list.at(0);
  again.monitorName = "";
  again.dependentFiles = {"vk.dll"};
  ASSERT_EQ(s.AddDriver(again), winerr::Success);
  ASSERT_EQ(s.EnumDrivers("Windows NT x86", 3, &list), winerr::Success);
  EXPECT_EQ(list.size(), 3u);
  EXPECT_EQ(list.at(0).dependentFiles.size(), 1u);
  EXPECT_EQ(Events(*m, "driverAdded").at(0)["replaced"], true);
  plat::DriverInfo missing = again;
  missing.name = "New";
  missing.driverPath = "absent.dll";
  EXPECT_EQ(s.AddDriver(missing), winerr::FileNotFound);
}

TEST(SimSpooler, AStoppedSpoolerAnswersNothingAndFreesItsFiles) {
  auto m = Load(kXp);
  auto& p = m->platform();
  const std::string held = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3\\vk.dll";
  EXPECT_EQ(p.files.RemoveFile(held), winerr::SharingViolation);
  plat::Handle scm = 0, svc = 0;
  ASSERT_EQ(p.services.OpenManager("", plat::svc::ManagerAllAccess, &scm), winerr::Success);
  ASSERT_EQ(p.services.Open(scm, "Spooler", plat::svc::ServiceAllAccess, &svc), winerr::Success);
  plat::ServiceStatus st;
  ASSERT_EQ(p.services.Control(svc, plat::svc::ControlStop, &st), winerr::Success);
  std::vector<plat::PrinterInfo> printers;
  EXPECT_EQ(p.spooler.ListPrinters(plat::spool::EnumLocal, &printers), winerr::RpcServerUnavailable);
  ASSERT_EQ(p.services.Start(svc), winerr::Success);
  // Once the spooler has let go, a restart does not take the file again.
  EXPECT_EQ(p.files.RemoveFile(held), winerr::Success);
  EXPECT_EQ(p.spooler.ListPrinters(plat::spool::EnumLocal, &printers), winerr::Success);
  p.services.Close(svc);
  p.services.Close(scm);
}

TEST(SimSpooler, PrintProcessorsAndFaults) {
  auto m = Load(R"({"os": "winxp", "printProcessors": [{"name": "VKPrint"}],
                    "faults": [{"call": "Spooler.DeleteDriver", "error": "ERROR_INVALID_PARAMETER", "match": "Sp*"}],
                    "drivers": [{"name": "Spare", "driverPath": "s.dll"}]})");
  auto& s = m->platform().spooler;
  EXPECT_EQ(s.DeleteProcessor("Windows NT x86", "vkprint"), winerr::Success);
  EXPECT_EQ(s.DeleteProcessor("Windows NT x86", "VKPrint"), plat::WinError(1798));
  EXPECT_EQ(s.DeleteDriver("", "Spare"), winerr::InvalidParameter);
  EXPECT_EQ(Events(*m, "printProcessorDeleted").size(), 1u);
  EXPECT_EQ(Events(*m, "fault").size(), 1u);
}

TEST(SimSpooler, ImagesThatCannotBeRefused) {
  using simtest::Refusal;
  EXPECT_NE(Refusal(R"({"printers": [{"name": "P", "driver": "Missing"}]})"), "");
  EXPECT_NE(Refusal(R"({"os": "win98", "drivers": [{"name": "D", "environment": "Windows NT x86"}]})"), "");
  EXPECT_NE(Refusal(R"({"drivers": [{"name": "D"}, {"name": "d"}]})"), "");
  EXPECT_NE(Refusal(R"({"drivers": [{"name": "D"}], "printers": [{"name": "A\\B", "driver": "D"}]})"), "");
  EXPECT_NE(Refusal(R"({"drivers": [{"name": "D"}], "printers": [{"name": "P", "server": "SRV", "driver": "D"}]})"), "");
  EXPECT_NE(Refusal(R"({"libraries": {"C:\\x\\lib.dll": {"exports": []}}})"), "");
  EXPECT_NE(Refusal(R"({"zipArchives": {"C:\\x\\a.zip": ["m"]}})"), "");
  EXPECT_EQ(Refusal(R"({"drivers": [{"name": "D", "version": 3}, {"name": "D", "version": 2}]})"), "");
}

}  // namespace
