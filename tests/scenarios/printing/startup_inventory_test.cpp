// Start-up with the maker's drivers on the machine: the question about an
// empty machine is asked only when no component and no maker's driver set
// exist.
#include "startup_harness.h"

namespace startup_test {
namespace {

const char kNothingToUninstall[] = "There is nothing to uninstall.  Would you like to remove the uninstaller?";

json WithDrivers(json image, const std::string& driverFile) {
  image["files"][std::string(kInstallDir) + "\\Drivers.ini"] = {
      {"content", "[Printer]\r\nm=M\r\n[M]\r\nPCL5Name=Vor LP5\r\n"}};
  image["drivers"] = {{{"name", "Vor LP5"},
                                  {"environment", "Windows NT x86"},
                                  {"version", 3},
                                  {"driverPath", "C:\\WINDOWS\\system32\\spool\\DRIVERS\\W32X86\\3\\" + driverFile}}};
  image["ui"] = {{"answers", {"IDNO"}}};
  return image;
}

TEST(StartupInventory, TheMakersDriverSetIsSomethingToUninstall) {
  const RunResult maker = RunStartup(WithDrivers(BaseImage(), "VKPCL2A.DLL"), {});
  for (const json& box : maker.MessageBoxes()) EXPECT_NE(box["text"], kNothingToUninstall);
  ASSERT_NE(maker.app, nullptr);
  EXPECT_TRUE(maker.app->drivers.AnyMakerSet());
  ASSERT_EQ(maker.app->orphanDrivers.size(), 1u);
  EXPECT_EQ(maker.app->orphanDrivers[0]->name, "Vor LP5");

  // Another maker's driver under a listed name is not the maker's.
  const RunResult foreign = RunStartup(WithDrivers(BaseImage(), "unidrv.dll"), {});
  const auto boxes = foreign.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u) << foreign.journal.dump(1);
  EXPECT_EQ(boxes[0]["text"], kNothingToUninstall);
  EXPECT_TRUE(foreign.app->orphanDrivers.empty());
}

TEST(StartupInventory, SwitchSSelectsThePrintersAndTheOrphans) {
  json image = WithDrivers(BaseImage(), "vkpcl2a.dll");
  image["drivers"].push_back({{"name", "Vor Used"},
                                         {"environment", "Windows NT x86"},
                                         {"version", 3},
                                         {"driverPath", "C:\\d\\vkpcl2a.dll"}});
  image["printers"] = {{{"name", "Office"}, {"driver", "Vor Used"}, {"port", "LPT1:"}}};
  const RunResult r = RunStartup(image, {"/S"});
  ASSERT_NE(r.app, nullptr);
  ASSERT_EQ(r.app->printers.size(), 1u);
  EXPECT_TRUE((*r.app->printers.begin())->selected);
  ASSERT_EQ(r.app->orphanDrivers.size(), 1u);
  EXPECT_TRUE(r.app->orphanDrivers[0]->selected);
}

}  // namespace
}  // namespace startup_test
