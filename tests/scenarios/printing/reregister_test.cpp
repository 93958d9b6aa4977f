// Drivers installed again from their own records: without a network monitor,
// or without files a component takes away.
#include "release_harness.h"

#include <cctype>
#include <stdexcept>

#include "printing/printer_driver_list.h"

namespace printing_test {
namespace {

json FullDriver(const std::string& name, int version, const std::string& monitor) {
  const std::string stem = name.substr(0, 4) + std::to_string(version);
  return json{{"name", name},
              {"environment", "Windows NT x86"},
              {"version", version},
              {"driverPath", stem + "drv.dll"},
              {"dataFile", stem + ".gpd"},
              {"configFile", stem + "ui.dll"},
              {"helpFile", stem + ".hlp"},
              {"dependentFiles", {"vkres.dll", stem + "lm.dll"}},
              {"monitorName", monitor},
              {"defaultDataType", "RAW"},
              {"previousNames", {name + " (old)"}},
              {"driverDate", 123456789},
              {"driverVersion", 42},
              {"mfgName", "BREVIK"},
              {"oemUrl", "http://brevik.example"},
              {"hardwareId", "usbprint\\brevik"},
              {"provider", "BREVIK"}};
}

const json* Saved(const json& saved, const std::string& name, int version) {
  for (const json& d : saved["drivers"])
    if (d["name"] == name && d["version"] == version) return &d;
  return nullptr;
}

CPrinterDriver& DriverOf(Inventory& inv, const std::string& name, std::uint32_t version) {
  for (const auto& set : inv.app->drivers)
    for (const auto& driver : set->drivers)
      if (driver->name == name && driver->version == version) return *driver;
  throw std::runtime_error("no driver " + name);
}

TEST(Reregister, ANetworkMonitorIsDetachedEveryOtherFieldKept) {
  json image = Image("winxp");
  AddDrivers(image, {FullDriver("Net Drv", 3, "network port"), FullDriver("NT4 Drv", 2, "Network Printer Monitor"),
                     FullDriver("Lang Drv", 3, "BREVIK Language Monitor")});
  Inventory inv(image);
  inv.TakeAll();
  const json before = inv.machine->Save();

  CPrinterDriver& net = DriverOf(inv, "Net Drv", 3);
  EXPECT_EQ(net.DetachNetworkMonitor(), winerr::Success);
  EXPECT_EQ(net.monitorName, "");
  EXPECT_EQ(DriverOf(inv, "NT4 Drv", 2).DetachNetworkMonitor(), winerr::Success);
  CPrinterDriver& lang = DriverOf(inv, "Lang Drv", 3);
  EXPECT_EQ(lang.DetachNetworkMonitor(), winerr::Success);
  EXPECT_EQ(lang.monitorName, "BREVIK Language Monitor");

  const auto added = Events(*inv.machine, "driverAdded");
  ASSERT_EQ(added.size(), 2u);
  EXPECT_EQ(added[0]["name"], "Net Drv");
  EXPECT_EQ(added[0]["level"], 6);
  EXPECT_EQ(added[1]["name"], "NT4 Drv");
  EXPECT_EQ(added[1]["level"], 3);
  EXPECT_TRUE(added[0]["replaced"].get<bool>() && added[1]["replaced"].get<bool>());

  const json after = inv.machine->Save();
  json expected = *Saved(before, "Net Drv", 3);
  expected.erase("monitorName");  // an empty string is not saved
  // The re-registered list carries the main files too, as the inventory read them.
  expected["dependentFiles"] = net.dependentFiles;
  EXPECT_EQ(*Saved(after, "Net Drv", 3), expected);
  EXPECT_EQ(Saved(after, "NT4 Drv", 2)->value("monitorName", "none"), "none");
  EXPECT_EQ(Saved(before, "NT4 Drv", 2)->value("monitorName", "none"), "Network Printer Monitor");
  EXPECT_EQ(*Saved(after, "Lang Drv", 3), *Saved(before, "Lang Drv", 3));
}

TEST(Reregister, TheListDetachesOnlyTheMakersInstalledSetsAndReportsTheFirstErrorAfterAll) {
  json image = Image("winxp");
  AddDrivers(image, {FullDriver("Maker A", 3, "Network Port"), FullDriver("Maker A", 2, "Network Port"),
                     FullDriver("Maker B", 3, "Network Port"), FullDriver("Foreign", 3, "Network Port"),
                     FullDriver("Maker Gone", 3, "Network Port")});
  image["faults"] = {{{"call", "Spooler.AddDriver"}, {"error", "ERROR_ACCESS_DENIED"}, {"match", "Maker A"},
                      {"count", 1}}};
  Inventory inv(image);
  inv.TakeAll();
  for (const auto& set : inv.app->drivers) set->isMaker = set->GetName() != "Foreign";
  for (const auto& set : inv.app->drivers)
    if (set->GetName() == "Maker Gone") set->drivers[0]->state = RemovalState::Removed;

  EXPECT_EQ(inv.app->drivers.DetachNetworkMonitors(), plat::WinError(5));  // ERROR_ACCESS_DENIED, from the first driver
  // The failure stopped nothing: the second driver of the set and the next set were still handled.
  std::vector<std::string> added;
  for (const json& e : Events(*inv.machine, "driverAdded"))
    added.push_back(e["name"].get<std::string>() + " " + std::to_string(e["version"].get<int>()));
  EXPECT_EQ(added, (std::vector<std::string>{"Maker A 2", "Maker B 3"}));
  EXPECT_EQ(DriverOf(inv, "Foreign", 3).monitorName, "Network Port");

  // A driver already removed in this run is not brought back by its set.
  json two = Image("winxp");
  AddDrivers(two, {FullDriver("Maker A", 3, "Network Port"), FullDriver("Maker A", 2, "Network Port")});
  Inventory set(two);
  set.TakeAll();
  DriverOf(set, "Maker A", 3).state = RemovalState::Removed;
  EXPECT_EQ((*set.app->drivers.begin())->DetachNetworkMonitors(), winerr::Success);
  ASSERT_EQ(Events(*set.machine, "driverAdded").size(), 1u);
  EXPECT_EQ(Events(*set.machine, "driverAdded")[0]["version"], 2);
}

TEST(Reregister, ComponentFilesLeaveEveryInstalledDriverByTheirWholePath) {
  json image = Image("winxp");
  AddDrivers(image, {FullDriver("Maker A", 3, ""), FullDriver("Foreign", 3, ""), FullDriver("Maker A", 2, ""),
                     FullDriver("Gone", 3, "")});
  Inventory inv(image);
  inv.TakeAll();
  CPrinterDriver& a3 = DriverOf(inv, "Maker A", 3);
  const std::string shared = a3.dependentFiles[0];  // the full path of vkres.dll, as the spooler lists it
  ASSERT_NE(shared, "vkres.dll");
  DriverOf(inv, "Maker A", 2).state = RemovalState::Removed;
  DriverOf(inv, "Gone", 3).state = RemovalState::Removed;
  const json before = inv.machine->Save();
  const std::size_t listed = a3.dependentFiles.size();

  std::string upper = shared;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  // A bare name is not the listed path; the path in other letter case is.
  inv.app->drivers.RemoveFilesFromAllDrivers({"vkres.dll", upper});

  EXPECT_FALSE(a3.ListsFile(shared));
  EXPECT_FALSE(DriverOf(inv, "Foreign", 3).ListsFile(shared));
  EXPECT_EQ(a3.dependentFiles.size(), listed - 1);
  std::vector<std::string> added;
  for (const json& e : Events(*inv.machine, "driverAdded")) added.push_back(e["name"]);
  EXPECT_EQ(added, (std::vector<std::string>{"Maker A", "Foreign"}));
  EXPECT_EQ((*Saved(inv.machine->Save(), "Foreign", 3))["dependentFiles"], DriverOf(inv, "Foreign", 3).dependentFiles);
  // The removed drivers stay gone from the spooler's point of view: nothing was added for them.
  EXPECT_EQ(*Saved(inv.machine->Save(), "Maker A", 2), *Saved(before, "Maker A", 2));
}

TEST(Reregister, AnEmptyFileListIsStillAListAndAFailureIsReturned) {
  json image = Image("winxp");
  AddDrivers(image, {FullDriver("Maker A", 3, "")});
  Inventory inv(image);
  inv.TakeAll();
  CPrinterDriver& driver = DriverOf(inv, "Maker A", 3);
  const std::vector<std::string> everything = driver.dependentFiles;
  EXPECT_EQ(driver.RemoveDependentFiles(everything), winerr::Success);
  EXPECT_TRUE(driver.dependentFiles.empty());
  const json after = inv.machine->Save();
  const json* saved = Saved(after, "Maker A", 3);
  ASSERT_NE(saved, nullptr);
  ASSERT_TRUE(saved->contains("dependentFiles"));
  EXPECT_TRUE((*saved)["dependentFiles"].empty());

  // Nothing to remove still re-registers; the spooler's refusal comes back.
  json refusing = image;
  refusing["faults"] = {{{"call", "Spooler.AddDriver"}, {"error", "ERROR_FILE_NOT_FOUND"}}};
  Inventory refused(refusing);
  refused.TakeAll();
  EXPECT_EQ(DriverOf(refused, "Maker A", 3).RemoveDependentFiles({"nothing.dll"}), plat::WinError(2));
  EXPECT_EQ(Events(*refused.machine, "fault").size(), 1u);
}

}  // namespace
}  // namespace printing_test
