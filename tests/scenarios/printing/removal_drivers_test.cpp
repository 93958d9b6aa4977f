// Driver removal: which drivers go, how the spooler is asked, and how a
// driver the spooler refuses is forced out.
#include "removal_harness.h"

namespace printing_test {
namespace {


TEST(DriverRemoval, OnlySelectedUntriedDriversOfTheMakersFreedSetsGo) {
  json image = Image("winxp");
  AddDrivers(image, {Driver("Vor Orphan", kNtX86, 3, "vkpcl2a.dll"), Driver("Vor Kept", kNtX86, 3, "vkpcl2a.dll"),
                     Driver("Vor Used", kNtX86, 3, "vkpcl2a.dll"), Driver("Contoso", kNtX86, 3, "ct.dll")});
  AddPrinters(image, {Printer("Vor Printer", "Vor Used")});
  Removal run(image, {"Vor Orphan", "Vor Kept", "Vor Used"});
  run.SetNamed("Vor Orphan").SetDriversSelected(true);
  run.SetNamed("Vor Used").SetDriversSelected(true);  // its printer stays
  run.SetNamed("Contoso").SetDriversSelected(true);   // not the maker's
  run.app->drivers.RemoveFreedMakerDrivers();

  const auto deleted = run.Events("driverDeleted");
  ASSERT_EQ(deleted.size(), 1u);
  EXPECT_EQ(deleted[0]["name"], "Vor Orphan");
  // Windows XP deletes the one version, through the extended call, files left to us.
  EXPECT_EQ(deleted[0]["via"], "DeletePrinterDriverEx");
  EXPECT_EQ(deleted[0]["flags"], plat::spool::DpdDeleteSpecificVersion);
  EXPECT_EQ(deleted[0]["version"], 3);
  EXPECT_EQ(run.SetNamed("Vor Orphan").drivers[0]->state, RemovalState::Removed);
  for (const char* kept : {"Vor Kept", "Vor Used", "Contoso"})
    EXPECT_EQ(run.SetNamed(kept).drivers[0]->state, RemovalState::NotTried) << kept;
  EXPECT_FALSE(run.app->restartSpooler);
}

// What a silent run chooses besides printers: the maker's sets no printer uses.
void SelectOrphans(Removal& run) {
  run.app->orphanDrivers.clear();
  run.app->drivers.CollectOrphanDrivers(run.app->orphanDrivers);
  for (CPrinterDriver* driver : run.app->orphanDrivers) driver->selected = true;
}

// The spooler ties a printer to its driver without case.
TEST(DriverRemoval, APrinterNamingItsDriverInAnotherCaseUsesEverySetOfThatName) {
  {
    json image = Image("winxp");
    AddDrivers(image, {Driver("BREVIK LP", kNtX86, 3, "vkpcl2a.dll")});
    AddPrinters(image, {Printer("Brevik Front", "Brevik LP")});
    Removal run(image, {"BREVIK LP"});
    SelectOrphans(run);
    run.Run();
    EXPECT_TRUE(run.Events("driverDeleted").empty());
    EXPECT_EQ(run.SetNamed("BREVIK LP").drivers[0]->state, RemovalState::NotTried);
    EXPECT_FALSE(run.app->restartSpooler);
  }
  // Two spellings in two versions: the printer uses both, and both go with it.
  json image = Image("winxp");
  AddDrivers(image, {Driver("vor lx", kNtX86, 2, "vkpclna.dll"), Driver("Vor LX", kNtX86, 3, "vkpcl2a.dll")});
  AddPrinters(image, {Printer("Front", "VOR LX")});
  Removal run(image, {"vor lx", "Vor LX"});
  SelectOrphans(run);
  EXPECT_TRUE(run.app->orphanDrivers.empty());
  run.Select({"Front"});
  run.Run();
  EXPECT_EQ(run.PrintersLeft(), std::vector<std::string>{});
  std::vector<std::string> deleted;
  for (const json& e : run.Events("driverDeleted")) deleted.push_back(e["name"]);
  EXPECT_EQ(deleted, (std::vector<std::string>{"vor lx", "Vor LX"}));
}

TEST(DriverRemoval, Nt4DeletesThroughThePlainCallPerEnvironment) {
  json image = Image("nt4");
  AddDrivers(image, {Driver("Vor LP", kNtX86, 2, "vkpclna.dll"), Driver("Vor LP", kWin40, 0, "vkpcl5d.drv")});
  Removal run(image, {"Vor LP"});
  run.SetNamed("Vor LP").SetDriversSelected(true);
  run.app->drivers.RemoveFreedMakerDrivers();
  std::vector<std::string> environments;
  for (const json& e : run.Events("driverDeleted")) {
    EXPECT_EQ(e["via"], "DeletePrinterDriver");
    environments.push_back(e["environment"]);
  }
  EXPECT_EQ(environments, (std::vector<std::string>{kWin40, kNtX86}));
  EXPECT_FALSE(run.app->drivers.AnyMakerDriverLeft());
}

TEST(DriverRemoval, Windows2000ForcesARefusedDriverOutWithoutItsNetworkMonitor) {
  json image = Image("win2k");
  json driver = DriverWithFiles("Vor Net", kNtX86, 3, "vkpcl2a.dll", {"vkpcl2a.dll", "vknet.dll"});
  driver["monitorName"] = "Network Port";
  // Re-registering needs the driver's data and configuration files in place.
  driver["dataFile"] = "vknet.gpd";
  driver["configFile"] = "vknetui.dll";
  AddDrivers(image, {driver, Driver("Contoso", kNtX86, 3, "ct.dll")});
  const std::string version3 = std::string(kDriversKey) + "Windows NT x86\\Drivers\\Version-3\\";
  AddKey(image, version3 + "Vor Net", {{"Driver", "vkpcl2a.dll"}});
  AddKey(image, version3 + "Contoso", {{"Driver", "ct.dll"}});
  image["faults"] = json::array(
      {{{"call", "Spooler.DeleteDriverEx"}, {"error", "ERROR_PRINTER_DRIVER_IN_USE"}, {"count", 1}}});
  Removal run(image, {"Vor Net"});
  CPrinterDriver& net = *run.SetNamed("Vor Net").drivers[0];
  net.selected = true;
  run.app->drivers.RemoveFreedMakerDrivers();

  // Re-registered without the monitor that kept it in use...
  EXPECT_EQ(net.monitorName, "");
  const auto added = run.Events("driverAdded");
  ASSERT_EQ(added.size(), 1u);
  EXPECT_EQ(added[0]["name"], "Vor Net");
  EXPECT_TRUE(added[0]["replaced"].get<bool>());
  // ...its spooler key deleted, not its neighbours', and the spooler to restart.
  EXPECT_FALSE(run.KeyExists(version3 + "Vor Net"));
  EXPECT_TRUE(run.KeyExists(version3 + "Contoso"));
  EXPECT_TRUE(run.app->restartSpooler);
  // It counts as removed, and its files go all the same.
  EXPECT_EQ(net.state, RemovalState::Removed);
  EXPECT_FALSE(run.FileExists("C:\\WINNT\\system32\\spool\\drivers\\w32x86\\3\\vknet.dll"));
}

TEST(DriverRemoval, AMissingExtendedCallOrA9xRefusalAlsoForcesTheDriverOut) {
  {
    // A system library without the extended call: the driver cannot be deleted one version at a time.
    json image = Image("winxp");
    AddDrivers(image, {Driver("Vor LP", kNtX86, 3, "vkpcl2a.dll")});
    image["libraries"]["WINSPOOL.DRV"] = {{"exports", json::array()}};
    const std::string key = std::string(kDriversKey) + "Windows NT x86\\Drivers\\Version-3\\Vor LP";
    AddKey(image, key, {{"Driver", "vkpcl2a.dll"}});
    Removal run(image, {"Vor LP"});
    run.SetNamed("Vor LP").SetDriversSelected(true);
    run.app->drivers.RemoveFreedMakerDrivers();
    EXPECT_TRUE(run.Events("driverDeleted").empty());
    EXPECT_FALSE(run.KeyExists(key));
    EXPECT_TRUE(run.app->restartSpooler);
    EXPECT_TRUE(run.Events("driverAdded").empty());  // no network monitor to drop
  }
  json image = Image("win98");
  AddDrivers(image, {Driver("Vor 98", kWin40, 0, "VKPCL5D.DRV")});
  const std::string key = std::string(kDriversKey) + "Windows 4.0\\Drivers\\Vor 98";
  AddKey(image, key, {{"Driver", "VKPCL5D.DRV"}});
  image["faults"] = json::array({{{"call", "Spooler.DeleteDriver"}, {"error", "ERROR_ACCESS_DENIED"}}});
  Removal run(image, {"Vor 98"});
  run.SetNamed("Vor 98").SetDriversSelected(true);
  run.app->drivers.RemoveFreedMakerDrivers();
  EXPECT_FALSE(run.KeyExists(key));
  EXPECT_TRUE(run.KeyExists(std::string(kDriversKey) + "Windows 4.0\\Drivers"));
  EXPECT_EQ(run.SetNamed("Vor 98").drivers[0]->state, RemovalState::Removed);
}

// The forced removal works only through the spooler's key: a key that stays
// (refused, or not where the spooler keeps it) leaves the driver listed.
TEST(DriverRemoval, ARefusedDriverWhoseKeyStaysIsKeptWholeAndReportedAsNotRemoved) {
  struct Case {
    const char* name;
    const char* os;
    const char* environment;
    int version;
    const char* spoolerKey;
    const char* fileDir;
    bool keyListed;
  };
  const std::string xpKey = std::string(kDriversKey) + "Windows NT x86\\Drivers\\Version-3\\Vor LP";
  const std::string key98 = std::string(kDriversKey) + "Windows 4.0\\Drivers\\Vor LP";
  for (const Case& c : {Case{"xp, key refused", "winxp", kNtX86, 3, xpKey.c_str(), kXpV3Dir, true},
                        Case{"xp, key elsewhere", "winxp", kNtX86, 3, xpKey.c_str(), kXpV3Dir, false},
                        Case{"98, key refused", "win98", kWin40, 0, key98.c_str(), "C:\\WINDOWS\\SYSTEM", true}}) {
    SCOPED_TRACE(c.name);
    json image = Image(c.os);
    AddDrivers(image,
               {DriverWithFiles("Vor LP", c.environment, c.version, "vkpcl2a.dll", {"vkpcl2a.dll", "vkres.dll"})});
    const std::string setupRecord = "HKLM\\SOFTWARE\\VORKAST\\DRIVERSETUP\\Vor LP";
    AddKey(image, setupRecord, {{"Model", "Vor LP"}});
    image["faults"] = json::array({{{"call", "Spooler.DeleteDriver*"}, {"error", "ERROR_ACCESS_DENIED"}}});
    if (c.keyListed) {
      AddKey(image, c.spoolerKey, {{"Driver", "vkpcl2a.dll"}});
      image["faults"].push_back(
          {{"call", "Registry.DeleteKey"}, {"error", "ERROR_ACCESS_DENIED"}, {"match", c.spoolerKey}});
    }
    Removal run = RemoveDriversOf(image, {"Vor LP"});

    const CPrinterDriver& driver = *run.SetNamed("Vor LP").drivers[0];
    EXPECT_EQ(driver.state, RemovalState::Failed);
    EXPECT_TRUE(run.app->drivers.AnyMakerDriverLeft());
    EXPECT_EQ(run.app->drivers.FailureText(), "Vor LP\n");
    // Still a working driver: its files and records stay with it.
    EXPECT_TRUE(run.DeletedFiles().empty());
    EXPECT_TRUE(run.FileExists(std::string(c.fileDir) + "\\vkres.dll"));
    EXPECT_TRUE(run.KeyExists(setupRecord));
  }
}

}  // namespace
}  // namespace printing_test
