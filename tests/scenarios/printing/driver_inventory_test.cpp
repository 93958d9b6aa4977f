// The driver list on simulated machines: sets by exact name, the native
// driver and display names per Windows, dependent files and orphans.
#include "printing_harness.h"

#include "printing/printer_driver_list.h"

namespace printing_test {
namespace {

const char kWin40[] = "Windows 4.0";
const char kNtX86[] = "Windows NT x86";

TEST(DriverInventory, Nt4KeepsBothEnvironmentsOfAModelInOneSetWithTheNinetyFiveDriverFirst) {
  json image = Image("nt4");
  // The spooler lists the NT driver first; the list asks for "Windows 4.0" first.
  AddDrivers(image, {Driver("Vor 5000", kNtX86, 2, "C:\\WINNT\\system32\\spool\\DRIVERS\\W32X86\\2\\vkpclna.dll"),
                     Driver("Vor 5000", kWin40, 0, "C:\\WINNT\\system32\\spool\\DRIVERS\\WIN40\\0\\vkpcl5d.drv")});
  Inventory inv(image);
  ASSERT_TRUE(inv.app->drivers.Build());
  ASSERT_EQ(inv.SetNames(), std::vector<std::string>{"Vor 5000"});
  const CPrinterDriverSet& set = **inv.app->drivers.begin();
  ASSERT_EQ(set.drivers.size(), 2u);
  EXPECT_EQ(set.drivers[0]->environment, kWin40);
  EXPECT_EQ(set.drivers[0]->GetDisplayName(), "Vor 5000 (95/98/Me)");
  EXPECT_EQ(set.drivers[1]->GetDisplayName(), "Vor 5000");
  EXPECT_EQ(set.NativeIndex(), 1);
  EXPECT_EQ(set.NativeDriverPath(), set.drivers[1]->driverPath);
  EXPECT_TRUE(set.drivers[0]->regRemovals.empty());  // the setup record exists on the 9x family only
  // Both drivers know where the 9x drivers live; each its own directory besides.
  EXPECT_FALSE(set.drivers[1]->win40DriverDir.empty());
  EXPECT_EQ(set.drivers[1]->win40DriverDir, set.drivers[0]->driverDir);
  EXPECT_NE(set.drivers[1]->driverDir, set.drivers[0]->driverDir);
}

TEST(DriverInventory, TheSpoolerIsAskedForEachEnvironmentsDriverDirectoryOnce) {
  json image = Image("winxp");
  AddDrivers(image, {Driver("Vor A", kNtX86, 3, "C:\\d\\a3.dll"), Driver("Vor A", kWin40, 0, "C:\\d\\a0.drv"),
                     Driver("Vor B", kNtX86, 3, "C:\\d\\b3.dll"), Driver("Vor B", kWin40, 0, "C:\\d\\b0.drv")});
  // Two environments, two questions; a third would go unanswered.
  image["faults"] = {{{"call", "Spooler.GetDriverDirectory"}, {"error", "ERROR_ACCESS_DENIED"}, {"skip", 2}}};
  Inventory inv(image);
  ASSERT_TRUE(inv.app->drivers.Build());
  for (const auto& set : inv.app->drivers) {
    for (const auto& driver : set->drivers) {
      EXPECT_FALSE(driver->driverDir.empty()) << driver->name << " " << driver->environment;
      EXPECT_FALSE(driver->win40DriverDir.empty()) << driver->name << " " << driver->environment;
    }
  }
}

TEST(DriverInventory, Windows2000NamesTheNt4DriverAndPrintsWithVersionThree) {
  json image = Image("win2k");
  AddDrivers(image, {Driver("Vor PS", kNtX86, 3, "C:\\d\\3\\vorpsnt3.dll"),
                     Driver("Vor PS", kNtX86, 2, "C:\\d\\2\\vorpsnt.dll"),
                     Driver("Vor PS", kWin40, 0, "C:\\d\\0\\vorps.drv")});
  Inventory inv(image);
  ASSERT_TRUE(inv.app->drivers.Build());
  const CPrinterDriverSet* set = inv.app->drivers.FindSet("Vor PS");
  ASSERT_NE(set, nullptr);
  ASSERT_EQ(set->drivers.size(), 3u);
  EXPECT_EQ(set->drivers[0]->GetDisplayName(), "Vor PS");
  EXPECT_EQ(set->drivers[1]->GetDisplayName(), "Vor PS (NT 4.0)");
  EXPECT_EQ(set->drivers[2]->GetDisplayName(), "Vor PS (95/98/Me)");
  EXPECT_EQ(set->NativeIndex(), 0);
  EXPECT_TRUE(set->IsKnownFamily());
}

TEST(DriverInventory, Windows98DriverReportedAs1024IsTheNativeVersionZeroDriverWithItsSetupRecord) {
  json image = Image("win98");
  AddDrivers(image, {Driver("Vor 98", kWin40, 1024, "C:\\WINDOWS\\SYSTEM\\VKPCL5D.DRV")});
  Inventory inv(image);
  ASSERT_TRUE(inv.app->drivers.Build());
  const CPrinterDriverSet* set = inv.app->drivers.FindSet("Vor 98");
  ASSERT_NE(set, nullptr);
  const CPrinterDriver& driver = *set->drivers[0];
  EXPECT_EQ(driver.version, 0u);
  EXPECT_EQ(driver.GetDisplayName(), "Vor 98");
  EXPECT_EQ(set->NativeIndex(), 0);
  EXPECT_TRUE(set->IsKnownFamily());
  EXPECT_EQ(driver.win40DriverDir, driver.driverDir);
  EXPECT_EQ(Describe(driver.regRemovals),
            std::vector<std::string>{"tree HKEY_LOCAL_MACHINE\\SOFTWARE\\VORKAST\\DRIVERSETUP\\Vor 98"});
}

TEST(DriverInventory, SetsAreFoundByExactNameAndForeignVersionsFallBackToTheFirstDriver) {
  json image = Image("winxp");
  // The spooler keeps names apart without case within one environment and
  // version, so the two spellings differ in version here.
  AddDrivers(image, {Driver("vor lx", kNtX86, 2, "C:\\d\\a.dll"), Driver("Vor LX", kNtX86, 3, "C:\\d\\b.dll"),
                     Driver("vor lx", kWin40, 0, "C:\\d\\c.drv")});
  Inventory inv(image);
  ASSERT_TRUE(inv.app->drivers.Build());
  EXPECT_EQ(inv.SetNames(), (std::vector<std::string>{"vor lx", "Vor LX"}));
  const CPrinterDriverSet* lower = inv.app->drivers.FindSet("vor lx");
  ASSERT_NE(lower, nullptr);
  EXPECT_EQ(lower->drivers.size(), 2u);
  EXPECT_EQ(lower->NativeIndex(), 0);  // nothing of version 3 in this set
  EXPECT_EQ(lower->NativeDriverPath(), "C:\\d\\a.dll");
  EXPECT_EQ(inv.app->drivers.FindSet("VOR LX"), nullptr);
}

TEST(DriverInventory, DependentFilesEndWithTheFourMainFilesOnlyWhenTheSpoolerListedAny) {
  json image = Image("winxp");
  json listed = Driver("Listed", kNtX86, 3, "C:\\d\\main.dll");
  listed["dependentFiles"] = {"C:\\d\\dep.dll", "C:\\d\\main.dll"};
  listed["dataFile"] = "C:\\d\\data.gpd";
  listed["mfgName"] = "Vorkast";
  listed["previousNames"] = {"Old Name", "Older Name"};
  json unlisted = Driver("Unlisted", kNtX86, 3, "C:\\d\\main2.dll");
  unlisted["helpFile"] = "C:\\d\\help.hlp";
  json emptyList = Driver("Empty list", kNtX86, 3, "C:\\d\\main3.dll");
  emptyList["dependentFiles"] = json::array();
  AddDrivers(image, {listed, unlisted, emptyList});
  Inventory inv(image);
  ASSERT_TRUE(inv.app->drivers.Build());

  const CPrinterDriver& withList = *inv.app->drivers.FindSet("Listed")->drivers[0];
  EXPECT_EQ(withList.dependentFiles,
            (std::vector<std::string>{"C:\\d\\dep.dll", "C:\\d\\main.dll", "", "", "C:\\d\\data.gpd", "C:\\d\\main.dll"}));
  EXPECT_TRUE(withList.ListsFile("c:\\D\\DEP.DLL"));
  EXPECT_EQ(withList.mfgName, "Vorkast");
  EXPECT_EQ(withList.previousNames, (std::vector<std::string>{"Old Name", "Older Name"}));
  EXPECT_TRUE(inv.app->drivers.FindSet("Unlisted")->drivers[0]->dependentFiles.empty());
  EXPECT_FALSE(inv.app->drivers.FindSet("Unlisted")->drivers[0]->ListsFile("C:\\d\\help.hlp"));
  EXPECT_EQ(inv.app->drivers.FindSet("Empty list")->drivers[0]->dependentFiles.size(), 4u);

  const CPrinterDriverSet& set = *inv.app->drivers.FindSet("Listed");
  EXPECT_TRUE(set.AnyDriverListsFile("C:\\D\\DEP.DLL", 3, false));
  EXPECT_FALSE(set.AnyDriverListsFile("C:\\D\\DEP.DLL", 2, false));  // another version
  set.drivers[0]->state = RemovalState::Removed;
  EXPECT_FALSE(set.AnyDriverListsFile("C:\\D\\DEP.DLL", 3, false));
  EXPECT_TRUE(set.AnyDriverListsFile("C:\\D\\DEP.DLL", 3, true));
}

TEST(DriverInventory, Nt4ListsTheNinetyFiveDriversEvenWhenItsOwnEnvironmentCannotBeRead) {
  json image = Image("nt4");
  AddDrivers(image, {Driver("A", kNtX86, 2, "C:\\d\\a.dll"), Driver("B", kWin40, 0, "C:\\d\\b.drv")});
  image["faults"] = {{{"call", "Spooler.EnumDrivers"}, {"error", "ERROR_ACCESS_DENIED"}, {"skip", 1}}};
  Inventory inv(image);
  EXPECT_TRUE(inv.app->drivers.Build());
  EXPECT_EQ(inv.SetNames(), std::vector<std::string>{"B"});

  json failing = Image("winxp");
  AddDrivers(failing, {Driver("A", kNtX86, 3, "C:\\d\\a.dll")});
  failing["faults"] = {{{"call", "Spooler.EnumDrivers"}, {"error", "ERROR_ACCESS_DENIED"}}};
  Inventory none(failing);
  EXPECT_FALSE(none.app->drivers.Build());
  EXPECT_TRUE(none.app->drivers.empty());
}

TEST(DriverInventory, OnlyTheMakersSetsWithoutPrintersBecomeOrphans) {
  json image = Image("winxp");
  AddFile(image, kModelList,
          "[Printer]\r\n1=A\r\n2=B\r\n[A]\r\nPCL5Name=Vor Used\r\n[B]\r\nPCL5Name=Vor Free\r\nPSName=Vor Free PS\r\n");
  AddDrivers(image, {Driver("Vor Used", kNtX86, 3, "C:\\d\\vkpcl2a.dll"),
                     Driver("Vor Free", kNtX86, 3, "C:\\d\\vkpcl2a.dll"),
                     Driver("Vor Free", kNtX86, 2, "C:\\d\\vkpclna.dll"),
                     Driver("Vor Free PS", kWin40, 0, "C:\\d\\vorps.drv"),
                     Driver("Foreign", kNtX86, 3, "C:\\d\\unidrv.dll")});
  AddPrinters(image, {Printer("Office", "Vor Used"), Printer("Office copy", "Vor Used")});
  Inventory inv(image);
  inv.TakeAll();

  const CPrinterDriverSet* used = inv.app->drivers.FindSet("Vor Used");
  ASSERT_NE(used, nullptr);
  EXPECT_EQ(used->PrinterNames(), (std::vector<std::string>{"Office", "Office copy"}));
  std::vector<std::string> orphans;
  for (const CPrinterDriver* d : inv.app->orphanDrivers) orphans.push_back(d->GetDisplayName());
  // "Vor Free PS" is a 9x PostScript driver whose native driver is itself.
  EXPECT_EQ(orphans, (std::vector<std::string>{"Vor Free", "Vor Free (NT 4.0)", "Vor Free PS (95/98/Me)"}));
  EXPECT_TRUE(inv.app->drivers.AnyMakerSet());
  EXPECT_FALSE(inv.app->drivers.FindSet("Foreign")->isMaker);

  // What the end of a run reads.
  EXPECT_TRUE(inv.app->drivers.AnyMakerDriverLeft());
  EXPECT_EQ(inv.app->drivers.FailedSetNames(), "");
  for (const auto& set : inv.app->drivers) {
    for (const auto& driver : set->drivers) driver->state = RemovalState::Removed;
  }
  inv.app->drivers.FindSet("Vor Free")->drivers[1]->state = RemovalState::Failed;
  inv.app->drivers.FindSet("Foreign")->drivers[0]->state = RemovalState::Failed;
  EXPECT_EQ(inv.app->drivers.FailedSetNames(), "Vor Free\n");  // the maker's sets only
  EXPECT_TRUE(inv.app->drivers.AnyMakerDriverLeft());  // a failed driver is still there
  inv.app->drivers.FindSet("Vor Free")->drivers[1]->state = RemovalState::Removed;
  EXPECT_FALSE(inv.app->drivers.AnyMakerDriverLeft());
}

}  // namespace
}  // namespace printing_test
