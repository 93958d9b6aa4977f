// The default printer after the removal pass: the first printer left takes
// the place of a removed default, on both families; nothing else is written.
#include "release_harness.h"

#include "printing/printer_driver_set.h"

namespace printing_test {
namespace {

const std::string kWindowsKey = "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

json XpWithDefault(const json& device) {
  json image = Image("winxp");
  AddForeignDriver(image, "Drv");
  AddPrinters(image, {Printer("First", "Drv", "USB001"), Printer("Gone", "Drv", "USB002"),
                      Printer("Second", "Drv", "LPT1:"), Printer("Third", "Drv", "LPT2:")});
  if (!device.is_null()) AddKey(image, kWindowsKey, {{"Device", device}});
  return image;
}

std::string Device(sim::Machine& machine) {
  const auto value = machine.Value(kWindowsKey, "Device");
  if (!value) return "<none>";
  std::string text(value->data.begin(), value->data.end());
  while (!text.empty() && text.back() == '\0') text.pop_back();  // REG_SZ keeps its terminator
  return text;
}

TEST(DefaultPrinter, OnXpARemovedDefaultGivesWayToTheFirstPrinterLeft) {
  Inventory inv(XpWithDefault("Gone,winspool,USB002"));
  inv.TakeAll();
  Mark(inv.app->printers, "First", RemovalState::Removed);
  Mark(inv.app->printers, "Gone", RemovalState::Removed);
  inv.app->printers.ReleaseAfterRemoval({}, {});
  EXPECT_EQ(Device(*inv.machine), "Second,winspool,LPT1:");

  // Without a default the first printer left is made the default, even
  // with nothing removed.
  Inventory unset(XpWithDefault(nullptr));
  unset.TakeAll();
  unset.app->printers.ChooseNewDefault();
  EXPECT_EQ(Device(*unset.machine), "First,winspool,USB001");
}

TEST(DefaultPrinter, OnXpNothingIsWrittenWhenTheDefaultStaysOrNoPrinterIsLeft) {
  // The default is still there, though other printers went.
  Inventory kept(XpWithDefault("Third,winspool,LPT2:"));
  kept.TakeAll();
  Mark(kept.app->printers, "First", RemovalState::Removed);
  Mark(kept.app->printers, "Gone", RemovalState::Removed);
  const std::string before = Device(*kept.machine);
  kept.app->printers.ReleaseAfterRemoval({}, {});
  EXPECT_EQ(Device(*kept.machine), before);

  // A default whose removal failed stays too.
  Inventory failed(XpWithDefault("Gone,winspool,USB002"));
  failed.TakeAll();
  Mark(failed.app->printers, "First", RemovalState::Removed);
  Mark(failed.app->printers, "Gone", RemovalState::Failed);
  failed.app->printers.ChooseNewDefault();
  EXPECT_EQ(Device(*failed.machine), "Gone,winspool,USB002");

  Inventory none(XpWithDefault("Gone,winspool,USB002"));
  none.TakeAll();
  for (const char* name : {"First", "Gone", "Second", "Third"}) Mark(none.app->printers, name, RemovalState::Removed);
  none.app->printers.ChooseNewDefault();
  EXPECT_EQ(Device(*none.machine), "Gone,winspool,USB002");
}

TEST(DefaultPrinter, OnXpADefaultThatCannotBeReadIsNotOverwritten) {
  // The default may be another maker's printer; not knowing it, the run
  // leaves it be.
  const std::vector<json> faults = {
      {{"call", "Registry.OpenKey"}, {"match", "*\\CurrentVersion\\Windows"}, {"error", "ERROR_ACCESS_DENIED"}},
      {{"call", "Registry.QueryValue"}, {"match", "*\\CurrentVersion\\Windows"}, {"error", "ERROR_ACCESS_DENIED"}},
  };
  for (const json& fault : faults) {
    json image = XpWithDefault("Third,winspool,LPT2:");
    image["faults"] = json::array({fault});
    Inventory inv(image);
    inv.TakeAll();
    Mark(inv.app->printers, "First", RemovalState::Removed);
    Mark(inv.app->printers, "Gone", RemovalState::Removed);
    inv.app->printers.ReleaseAfterRemoval({}, {});
    EXPECT_EQ(Device(*inv.machine), "Third,winspool,LPT2:") << fault;
  }
}

json Win98WithDefault(const std::string& device) {
  json image = Image("win98");
  AddDrivers(image, {Driver("BREVIK PCL", "Windows 4.0", 0, "C:\\WINDOWS\\SYSTEM\\VKPCL5C.DRV"),
                     Driver("BREVIK PS", "Windows 4.0", 0, "C:\\WINDOWS\\SYSTEM\\VKPS.DRV")});
  AddPrinters(image, {Printer("Gone", "BREVIK PCL", "LPT1:"), Printer("Next", "BREVIK PS", "LPT2:")});
  image["winIni"] = {{"windows", {{"device", device}}}};
  return image;
}

TEST(DefaultPrinter, On98TheNewDefaultGoesToWinIniWithItsDriverAndIsBroadcast) {
  Inventory inv(Win98WithDefault("Gone,VKPCL5C,LPT1:"));
  inv.TakeAll();
  Mark(inv.app->printers, "Gone", RemovalState::Removed);
  const std::string driverPath = inv.app->printers.FindByName("Next")->driverSet->NativeDriverPath();
  ASSERT_FALSE(driverPath.empty());
  inv.app->printers.ReleaseAfterRemoval({}, {});
  const auto writes = Events(*inv.machine, "profileWrite");
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0]["section"], "Windows");
  EXPECT_EQ(writes[0]["key"], "device");
  EXPECT_EQ(writes[0]["value"], "Next," + driverPath + ",LPT2:");
  const auto broadcasts = Events(*inv.machine, "broadcast");
  ASSERT_EQ(broadcasts.size(), 1u);
  EXPECT_EQ(broadcasts[0]["section"], "Windows");
}

TEST(DefaultPrinter, On98NothingIsWrittenForAKeptDefaultNoPrinterLeftOrAPrinterWithoutDriverSet) {
  Inventory kept(Win98WithDefault("Next,VKPS,LPT2:"));
  kept.TakeAll();
  Mark(kept.app->printers, "Gone", RemovalState::Removed);
  kept.app->printers.ChooseNewDefault();

  Inventory none(Win98WithDefault("Gone,VKPCL5C,LPT1:"));
  none.TakeAll();
  Mark(none.app->printers, "Gone", RemovalState::Removed);
  Mark(none.app->printers, "Next", RemovalState::Removed);
  none.app->printers.ChooseNewDefault();

  Inventory unattached(Win98WithDefault("Gone,VKPCL5C,LPT1:"));
  unattached.TakeAll();
  Mark(unattached.app->printers, "Gone", RemovalState::Removed);
  unattached.app->printers.FindByName("Next")->driverSet = nullptr;
  unattached.app->printers.ChooseNewDefault();

  for (Inventory* inv : {&kept, &none, &unattached}) {
    EXPECT_TRUE(Events(*inv->machine, "profileWrite").empty());
    EXPECT_TRUE(Events(*inv->machine, "broadcast").empty());
  }
}

TEST(DefaultPrinter, On98AnUnreadableOrMissingWinIniDefaultIsNotOverwritten) {
  // win.ini answers an entry it cannot read as if it were missing, so
  // neither can tell the run that no other maker's printer is the default.
  json unreadable = Win98WithDefault("Other,PSCRIPT5,IP_1");
  unreadable["faults"] = json::array(
      {{{"call", "Profile.GetString"}, {"match", "windows\\device"}, {"error", "ERROR_ACCESS_DENIED"}}});
  json missing = Win98WithDefault("");
  missing["winIni"] = json::object();
  for (const json& image : {unreadable, missing}) {
    Inventory inv(image);
    inv.TakeAll();
    Mark(inv.app->printers, "Gone", RemovalState::Removed);
    inv.app->printers.ChooseNewDefault();
    EXPECT_TRUE(Events(*inv.machine, "profileWrite").empty()) << image.dump();
  }
}

}  // namespace
}  // namespace printing_test
