// Print processors freed by the removal pass: deleted from the spooler when
// they are the maker's and not Windows' own, their library deleted unless a
// remaining printer's processor loads it.
#include "release_harness.h"
#include "removal_harness.h"

#include "platform/text.h"

namespace printing_test {
namespace {

const std::string kNtProcessors =
    "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print Processors\\";
const std::string kNtDirectory = "C:\\WINDOWS\\System32\\spool\\prtprocs\\w32x86\\";

struct Processor {
  std::string name;
  std::string library;
};

// A machine whose printers each use their own print processor, in order. The
// maker's driver "Drv" lists every library by its file name, which makes the
// processors the maker's.
json WithProcessors(const char* os, const std::string& keyBase, const std::string& directory,
                    const std::vector<Processor>& processors) {
  json image = Image(os);
  json listed = json::array();
  for (const Processor& p : processors)
    if (!p.library.empty()) listed.push_back(p.library.substr(p.library.find_last_of('\\') + 1));
  image["drivers"].push_back({{"name", "Drv"}, {"driverPath", "unidrv.dll"}, {"dependentFiles", listed}});
  for (const Processor& p : processors) {
    image["printProcessors"].push_back({{"name", p.name}, {"dll", p.library}});
    AddKey(image, keyBase + p.name, {{"Driver", p.library}});
    // Two processors may share one library, which the image lists once.
    if (!p.library.empty() && !image["files"].contains(directory + text::Fold(p.library)))
      AddFile(image, directory + text::Fold(p.library), "MZ");
    json printer = Printer("On " + p.name, "Drv");
    printer["printProcessor"] = p.name;
    image["printers"].push_back(printer);
  }
  return image;
}

TEST(ReleasePrintProcessor, FreedProcessorsGoWithTheirLibrariesButWindowsOwnStay) {
  json image = WithProcessors("winxp", kNtProcessors, kNtDirectory,
                              {{"WinPrint", "localspl.dll"}, {"VKPrint", "vkprint.dll"}, {"sfmpsprt", "sfmpsprt.dll"},
                               {"VKLast", "vklast.dll"}});
  Removal inv(image, {"Drv"});
  std::string directory;
  ASSERT_EQ(inv.machine->platform().spooler.GetProcessorDirectory("Windows NT x86", &directory), winerr::Success);
  ASSERT_EQ(directory + "\\", kNtDirectory);
  for (const char* name : {"On WinPrint", "On VKPrint", "On sfmpsprt", "On VKLast"})
    Mark(inv.app->printers, name, RemovalState::Removed);
  // Names after a system processor are handled as well.
  inv.app->printers.ReleaseAfterRemoval({}, {"WinPrint", "VKPrint", "sfmpsprt", "VKLast"});

  EXPECT_EQ(EventNames(*inv.machine, "printProcessorDeleted"), (std::vector<std::string>{"VKPrint", "VKLast"}));
  EXPECT_FALSE(FileExists(*inv.machine, kNtDirectory + "vkprint.dll"));
  EXPECT_FALSE(FileExists(*inv.machine, kNtDirectory + "vklast.dll"));
  EXPECT_TRUE(FileExists(*inv.machine, kNtDirectory + "localspl.dll"));
  EXPECT_TRUE(FileExists(*inv.machine, kNtDirectory + "sfmpsprt.dll"));
  // The spooler was asked for nothing but the freed names.
  EXPECT_EQ(inv.machine->Save()["printProcessors"].size(), 2u);
}

// The maker's printers may print through another maker's processor: the
// maker's own are those whose library one of the maker's driver sets lists.
TEST(ReleasePrintProcessor, OnlyAProcessorWhoseLibraryTheMakersDriversListGoes) {
  json image = Image("winxp");
  AddDrivers(image, {DriverWithFiles("Vor LP", "Windows NT x86", 3, "vkpcl2a.dll", {"vkpcl2a.dll", "VKPRINT.DLL"})});
  for (const Processor& p : std::vector<Processor>{{"VKPrint", "vkprint.dll"}, {"CtPrint", "ctprint.dll"}}) {
    image["printProcessors"].push_back({{"name", p.name}, {"dll", p.library}});
    AddKey(image, kNtProcessors + p.name, {{"Driver", p.library}});
    AddFile(image, kNtDirectory + p.library, "MZ");
  }
  json onForeign = Printer("Vor Front", "Vor LP");
  onForeign["printProcessor"] = "CtPrint";
  json onOwn = Printer("Vor Back", "Vor LP");
  onOwn["printProcessor"] = "VKPrint";
  AddPrinters(image, {onForeign, onOwn});
  Removal run(image, {"Vor LP"});
  run.Select({"Vor Front", "Vor Back"});
  run.Run();
  ASSERT_EQ(run.PrintersLeft(), std::vector<std::string>{});
  EXPECT_EQ(EventNames(*run.machine, "printProcessorDeleted"), std::vector<std::string>{"VKPrint"});
  EXPECT_TRUE(run.FileExists(kNtDirectory + "ctprint.dll"));
  EXPECT_FALSE(run.FileExists(kNtDirectory + "vkprint.dll"));
  EXPECT_EQ(run.app->printers.KeptPrintProcessors(), std::vector<std::string>{"CtPrint"});
}

TEST(ReleasePrintProcessor, ALibraryARemainingPrintersProcessorLoadsStays) {
  json image = WithProcessors("winxp", kNtProcessors, kNtDirectory,
                              {{"VKShared", "vkcommon.dll"}, {"VKOther", "VKCOMMON.DLL"}, {"VKUsed", "vkused.dll"}});
  Removal inv(image, {"Drv"});
  Mark(inv.app->printers, "On VKShared", RemovalState::Removed);
  Mark(inv.app->printers, "On VKUsed", RemovalState::Removed);
  json second = image;
  inv.app->printers.ReleaseAfterRemoval({}, {"VKShared"});
  EXPECT_EQ(EventNames(*inv.machine, "printProcessorDeleted"), std::vector<std::string>{"VKShared"});
  EXPECT_TRUE(FileExists(*inv.machine, kNtDirectory + "vkcommon.dll"));
  EXPECT_TRUE(inv.app->printers.IsProcessorDllInUse("VkCommon.Dll"));
  // A removed printer's processor does not count.
  EXPECT_FALSE(inv.app->printers.IsProcessorDllInUse("vkused.dll"));

  // A processor a remaining (failed) printer uses is not freed.
  second["printers"].push_back({{"name", "Failed"}, {"driver", "Drv"}, {"printProcessor", "VKUsed"}});
  Removal kept(second, {"Drv"});
  Mark(kept.app->printers, "On VKUsed", RemovalState::Removed);
  Mark(kept.app->printers, "Failed", RemovalState::Failed);
  kept.app->printers.ReleaseAfterRemoval({}, {"VKUsed"});
  EXPECT_TRUE(EventNames(*kept.machine, "printProcessorDeleted").empty());
  EXPECT_TRUE(FileExists(*kept.machine, kNtDirectory + "vkused.dll"));
}

// The spooler reads processor names without case: a printer left on
// "vkprint" keeps "VKPrint".
TEST(ReleasePrintProcessor, AProcessorARemainingPrinterNamesInAnotherCaseStays) {
  json image = WithProcessors("winxp", kNtProcessors, kNtDirectory, {{"VKPrint", "vkprint.dll"}});
  AddForeignDriver(image, "Contoso Jet");
  json foreign = Printer("Contoso Office", "Contoso Jet");
  foreign["printProcessor"] = "vkprint";
  AddPrinters(image, {foreign});
  Removal run(image, {"Drv"});
  run.Select({"On VKPrint", "Contoso Office"});
  run.Run();
  ASSERT_EQ(run.PrintersLeft(), std::vector<std::string>{"Contoso Office"});
  EXPECT_TRUE(EventNames(*run.machine, "printProcessorDeleted").empty());
  EXPECT_TRUE(run.FileExists(kNtDirectory + "vkprint.dll"));
}

TEST(ReleasePrintProcessor, ARefusedProcessorKeepsItsLibraryAndTheNextIsStillHandled) {
  json image = WithProcessors("winxp", kNtProcessors, kNtDirectory,
                              {{"VKRefused", "vkrefused.dll"}, {"VKPrint", "vkprint.dll"}});
  image["faults"] = {{{"call", "Spooler.DeleteProcessor"}, {"error", "ERROR_ACCESS_DENIED"}, {"match", "VKRefused"}}};
  Removal inv(image, {"Drv"});
  Mark(inv.app->printers, "On VKRefused", RemovalState::Removed);
  Mark(inv.app->printers, "On VKPrint", RemovalState::Removed);
  inv.app->printers.ReleaseAfterRemoval({}, {"VKRefused", "VKPrint"});
  EXPECT_TRUE(FileExists(*inv.machine, kNtDirectory + "vkrefused.dll"));
  EXPECT_FALSE(FileExists(*inv.machine, kNtDirectory + "vkprint.dll"));
}

TEST(ReleasePrintProcessor, ALibraryNameThatIsNoPlainFileNameDeletesNothing) {
  json image = WithProcessors("winxp", kNtProcessors, kNtDirectory,
                              {{"VKClimb", "..\\..\\vkclimb.dll"}, {"VKEmpty", ""}, {"VKRooted", "C:\\vkroot.dll"}});
  AddFile(image, "C:\\WINDOWS\\System32\\spool\\vkclimb.dll", "MZ");
  AddFile(image, "C:\\vkroot.dll", "MZ");
  Removal inv(image, {"Drv"});
  for (const char* name : {"On VKClimb", "On VKEmpty", "On VKRooted"})
    Mark(inv.app->printers, name, RemovalState::Removed);
  inv.app->printers.ReleaseAfterRemoval({}, {"VKClimb", "VKEmpty", "VKRooted"});
  // A processor without a library is not known to be the maker's.
  EXPECT_EQ(EventNames(*inv.machine, "printProcessorDeleted"), (std::vector<std::string>{"VKClimb", "VKRooted"}));
  EXPECT_EQ(inv.app->printers.KeptPrintProcessors(), std::vector<std::string>{"VKEmpty"});
  EXPECT_TRUE(FileExists(*inv.machine, "C:\\WINDOWS\\System32\\spool\\vkclimb.dll"));
  EXPECT_TRUE(FileExists(*inv.machine, "C:\\vkroot.dll"));
  EXPECT_TRUE(FileExists(*inv.machine, "C:\\WINDOWS\\System32\\spool\\prtprocs\\w32x86"));
  EXPECT_TRUE(Events(*inv.machine, "fileDeleted").empty());
  EXPECT_TRUE(Events(*inv.machine, "moveOnReboot").empty());
}

TEST(ReleasePrintProcessor, OnWindows98TheLibraryIsNamedUnderWindows40AndLiesInTheSystemDirectory) {
  const std::string keys =
      "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows 4.0\\Print Processors\\";
  json image = WithProcessors("win98", keys, "C:\\WINDOWS\\SYSTEM\\", {{"VKEMF", "vkemf.dll"}});
  // A key of the NT environment names another library; it must not be read here.
  AddKey(image, kNtProcessors + "VKEMF", {{"Driver", "wrong.dll"}});
  AddFile(image, "C:\\WINDOWS\\SYSTEM\\wrong.dll", "MZ");
  Removal inv(image, {"Drv"});
  Mark(inv.app->printers, "On VKEMF", RemovalState::Removed);
  inv.app->printers.ReleaseAfterRemoval({}, {"VKEMF"});
  EXPECT_EQ(EventNames(*inv.machine, "printProcessorDeleted"), std::vector<std::string>{"VKEMF"});
  EXPECT_FALSE(FileExists(*inv.machine, "C:\\WINDOWS\\SYSTEM\\vkemf.dll"));
  EXPECT_TRUE(FileExists(*inv.machine, "C:\\WINDOWS\\SYSTEM\\wrong.dll"));
}

}  // namespace
}  // namespace printing_test
