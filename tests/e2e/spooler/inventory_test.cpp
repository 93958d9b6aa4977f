// The inventory of drvpurge over what the real spooler reports: the
// maker's two models are recognised through the model list and their known
// driver files, the other maker's driver is not, and printers are tied to
// their sets.
#include <gtest/gtest.h>

#include <vector>

#include "platform/text.h"
#include "printing_run.h"

namespace e2e {
namespace {

TEST(SeededInventory, MakerSetsAndPrintersAreRecognised) {
  PrintingRun run(Machine());
  run.Inventory();
  ASSERT_TRUE(run.driversBuilt);
  ASSERT_TRUE(run.printersBuilt);
  EXPECT_TRUE(run.drivers.AnyMakerSet());

  for (const DriverSeed& seed : SeedDrivers()) {
    const CPrinterDriverSet* set = run.drivers.FindSet(seed.name);
    ASSERT_NE(set, nullptr) << seed.name;
    EXPECT_EQ(set->isMaker, seed.maker) << seed.name;
    ASSERT_EQ(set->drivers.size(), 1u) << seed.name;
    const CPrinterDriver& driver = *set->drivers[0];
    EXPECT_EQ(driver.version, 3u);
    EXPECT_EQ(driver.displayName, seed.name) << "the native driver carries no suffix";
    // The spooler's dependent files, then help, config, data and driver file.
    EXPECT_EQ(driver.dependentFiles.size(), seed.dependentFiles.size() + 4) << seed.name;
    EXPECT_TRUE(text::IEquals(driver.driverDir, Machine().DriverDir())) << driver.driverDir;
  }

  for (const PrinterSeed& seed : SeedPrinters()) {
    const CPrinter* printer = run.printers.FindByName(seed.name);
    ASSERT_NE(printer, nullptr) << seed.name;
    ASSERT_NE(printer->driverSet, nullptr) << seed.name;
    EXPECT_EQ(printer->driverSet->GetName(), seed.driver);
    EXPECT_TRUE(printer->driverSet->HasPrinter(seed.name));
    EXPECT_EQ(printer->IsMakerPrinter(), seed.maker) << seed.name;
    EXPECT_FALSE(printer->isConnection);
    // On XP the maker's printer takes its three NT keys (it has no Plug and
    // Play data); another maker's printer is never removed and takes none.
    EXPECT_EQ(printer->regRemovals.size(), seed.maker ? 3u : 0u) << seed.name;
  }

  std::vector<CPrinterDriver*> orphans;
  run.drivers.CollectOrphanDrivers(orphans);
  EXPECT_TRUE(orphans.empty()) << "every maker's set has its printer";
}

}  // namespace
}  // namespace e2e
