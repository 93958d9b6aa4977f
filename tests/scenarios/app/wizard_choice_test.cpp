// The selection wizard on what start-up found on a machine: the choice the
// user ticks is the choice the removal gets.
#include "startup_harness.h"
#include "wizard/select_page_model.h"

namespace startup_test {
namespace {

// One model of the maker's, installed for both print environments and used
// by no printer: two unattached drivers of the same name.
json TwoEnvironmentOrphan() {
  json image = BaseImage();
  image["files"][std::string(kInstallDir) + "\\Drivers.ini"] = {
      {"content", "[Printer]\r\nm=M\r\n[M]\r\nPCL5Name=Vor LP5\r\n"}};
  image["drivers"] = {
      {{"name", "Vor LP5"},
       {"environment", "Windows NT x86"},
       {"version", 3},
       {"driverPath", "C:\\WINDOWS\\system32\\spool\\DRIVERS\\W32X86\\3\\VKPCL2A.DLL"}},
      {{"name", "Vor LP5"},
       {"environment", "Windows 4.0"},
       {"version", 0},
       {"driverPath", "C:\\WINDOWS\\system32\\spool\\DRIVERS\\WIN40\\0\\VKPCL2A.DRV"}},
  };
  return image;
}

TEST(WizardChoice, TickingOneOfTwoDriversOfTheSameNameChoosesThatOne) {
  const RunResult r = RunStartup(TwoEnvironmentOrphan(), {});
  ASSERT_NE(r.app, nullptr);
  auto& orphans = r.app->orphanDrivers;
  ASSERT_EQ(orphans.size(), 2u);

  SelectPageModel page(r.app->items, PrinterChoices(r.app->printers), DriverChoices(orphans));
  page.Fill();
  const CheckTree& tree = page.tree();
  ASSERT_EQ(tree.TopLevel().size(), 1u);
  const std::vector<NodeId> drivers = tree.node(tree.TopLevel()[0]).children;
  ASSERT_EQ(drivers.size(), 2u);

  for (std::size_t ticked = 0; ticked < 2; ++ticked) {
    for (NodeId id : drivers) {
      if (tree.State(id) == CheckState::Ticked) page.ClickBox(id);
    }
    page.ClickBox(drivers[ticked]);
    page.WriteBack();
    EXPECT_EQ(orphans[ticked]->selected, true) << orphans[ticked]->environment;
    EXPECT_EQ(orphans[1 - ticked]->selected, false) << orphans[1 - ticked]->environment;
  }
}

TEST(WizardChoice, AMachineWithOnlyAnotherMakersPrinterShowsThePrinterGroupEmpty) {
  json image = TwoEnvironmentOrphan();
  image["drivers"].push_back({{"name", "Other Laser"}, {"driverPath", "unidrv.dll"}});
  image["printers"] = {{{"name", "Office"}, {"driver", "Other Laser"}, {"port", "LPT1:"}}};
  const RunResult r = RunStartup(image, {});
  ASSERT_NE(r.app, nullptr);
  ASSERT_EQ(r.app->printers.size(), 1u);

  SelectPageModel page(r.app->items, PrinterChoices(r.app->printers), DriverChoices(r.app->orphanDrivers));
  page.Fill();
  const CheckTree& tree = page.tree();
  ASSERT_EQ(tree.TopLevel().size(), 2u);
  const CheckNode& group = tree.node(tree.TopLevel()[0]);
  EXPECT_EQ(group.text, "Printer Objects");
  EXPECT_TRUE(group.children.empty());
}

}  // namespace
}  // namespace startup_test
