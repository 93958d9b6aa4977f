// End to end on a Windows XP prefix: drivers and printers installed through
// the real spooler are read back through the Win32 adapters, with the
// fields the inventory relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e_machine.h"
#include "platform/text.h"
#include "platform/win_errors.h"
#include "scenario.h"

namespace e2e {
namespace {

const plat::DriverInfo* FindDriver(const std::vector<plat::DriverInfo>& drivers, const std::string& name) {
  for (const auto& d : drivers)
    if (d.name == name) return &d;
  return nullptr;
}

const plat::PrinterInfo* FindPrinter(const std::vector<plat::PrinterInfo>& printers, const std::string& name) {
  for (const auto& p : printers)
    if (p.printerName == name) return &p;
  return nullptr;
}

bool SamePath(const std::string& a, const std::string& b) { return text::IEquals(a, b); }

// The fields of a seeded driver as the spooler must report them, whatever
// the level.
void ExpectSeededFields(const plat::DriverInfo& got, const DriverSeed& seed, const std::string& versionDir) {
  SCOPED_TRACE(seed.name);
  EXPECT_EQ(got.version, 3u);
  EXPECT_EQ(got.environment, "Windows NT x86");
  EXPECT_PRED2(SamePath, got.driverPath, versionDir + "\\" + seed.driverFile);
  EXPECT_PRED2(SamePath, got.configFile, versionDir + "\\" + seed.configFile);
  EXPECT_PRED2(SamePath, got.dataFile, versionDir + "\\" + seed.dataFile);
  if (seed.helpFile.empty()) {
    EXPECT_EQ(got.helpFile, "");
  } else {
    EXPECT_PRED2(SamePath, got.helpFile, versionDir + "\\" + seed.helpFile);
  }
  EXPECT_TRUE(got.hasDependentFiles);
  // Windows reports dependent files by name; some spoolers give full paths.
  ASSERT_EQ(got.dependentFiles.size(), seed.dependentFiles.size());
  for (std::size_t i = 0; i < seed.dependentFiles.size(); ++i)
    EXPECT_TRUE(text::IEndsWith(got.dependentFiles[i], seed.dependentFiles[i])) << got.dependentFiles[i];
}

TEST(SeededSpooler, DriversOfEveryEnvironmentAtLevel6AndOfOneAtLevel3) {
  auto& m = Machine();
  std::vector<plat::DriverInfo> all, nt3;
  ASSERT_EQ(m.spooler().EnumDrivers(plat::spool::EnvAll, 6, &all), winerr::Success);
  ASSERT_EQ(m.spooler().EnumDrivers(plat::spool::EnvNtX86, 3, &nt3), winerr::Success);
  for (const DriverSeed& seed : SeedDrivers()) {
    const plat::DriverInfo* six = FindDriver(all, seed.name);
    const plat::DriverInfo* three = FindDriver(nt3, seed.name);
    ASSERT_NE(six, nullptr) << seed.name;
    ASSERT_NE(three, nullptr) << seed.name;
    EXPECT_EQ(six->level, 6u);
    EXPECT_EQ(three->level, 3u);
    ExpectSeededFields(*six, seed, m.VersionDir());
    ExpectSeededFields(*three, seed, m.VersionDir());
    // Level 3 has none of the level-6 fields.
    EXPECT_TRUE(three->previousNames.empty());
    EXPECT_EQ(three->driverDate, 0u);
  }
  // "all" spans every environment, so it holds at least the one environment's drivers.
  EXPECT_GE(all.size(), nt3.size());
}

TEST(SeededSpooler, PrintersWithTheNamesRemovalNeeds) {
  auto& m = Machine();
  std::vector<plat::PrinterInfo> printers;
  ASSERT_EQ(m.spooler().ListPrinters(plat::spool::EnumLocal | plat::spool::EnumConnections, &printers), winerr::Success);
  for (const PrinterSeed& seed : SeedPrinters()) {
    const plat::PrinterInfo* p = FindPrinter(printers, seed.name);
    ASSERT_NE(p, nullptr) << seed.name;
    EXPECT_EQ(p->driverName, seed.driver);
    EXPECT_EQ(p->portName, seed.port);
    EXPECT_TRUE(text::IEquals(p->printProcessor, "WinPrint")) << p->printProcessor;
    EXPECT_EQ(p->serverName, "") << "a local printer is no connection";
  }
}

TEST(SeededSpooler, FreshPrinterHasNoJobsAndClosesCleanly) {
  auto& spooler = Machine().spooler();
  plat::Handle h = plat::kNoHandle;
  ASSERT_EQ(spooler.OpenPrinterByName(SeedPrinters()[0].name, plat::spool::PrinterAllAccess, &h), winerr::Success);
  std::vector<plat::JobInfo> jobs{plat::JobInfo{}};
  EXPECT_EQ(spooler.ListJobs(h, 0, 1, &jobs), winerr::Success);
  EXPECT_TRUE(jobs.empty());
  EXPECT_EQ(spooler.ClosePrinter(h), winerr::Success);

  plat::Handle missing = plat::kNoHandle;
  EXPECT_NE(spooler.OpenPrinterByName("No Such Printer 42", plat::spool::PrinterAllAccess, &missing), winerr::Success);
  EXPECT_EQ(missing, plat::kNoHandle);
}

TEST(SeededSpooler, DriverAndProcessorDirectoriesExist) {
  auto& m = Machine();
  std::string processors;
  ASSERT_EQ(m.spooler().GetProcessorDirectory(plat::spool::EnvNtX86, &processors), winerr::Success);
  EXPECT_TRUE(m.files().Exists(processors)) << processors;
  EXPECT_TRUE(m.files().Exists(m.DriverDir())) << m.DriverDir();
  EXPECT_TRUE(m.files().Exists(m.VersionDir() + "\\vkpcl2a.dll"));
}

// Our own record round-trips through AddPrinterDriver at level 6, with the
// two lists built as the spooler wants them; then both delete calls.
TEST(SeededSpooler, DriverAddedAtLevel6ComesBackWhole) {
  auto& m = Machine();
  plat::DriverInfo info;
  info.level = 6;
  info.version = 3;
  info.name = "Round Trip Model";
  info.environment = plat::spool::EnvNtX86;
  info.driverPath = m.VersionDir() + "\\nlaser.dll";
  info.configFile = m.VersionDir() + "\\nlaserui.dll";
  info.dataFile = m.VersionDir() + "\\nlaser.ppd";
  info.hasDependentFiles = true;
  info.dependentFiles = {"vkres.dll", "nlaser.dll"};
  info.previousNames = {"Round Trip Old", "Round Trip Older"};
  info.mfgName = "Norrland";
  info.provider = "Norrland Provider";
  ASSERT_EQ(m.spooler().AddDriver(info), winerr::Success);

  std::vector<plat::DriverInfo> drivers;
  ASSERT_EQ(m.spooler().EnumDrivers(plat::spool::EnvNtX86, 6, &drivers), winerr::Success);
  const plat::DriverInfo* got = FindDriver(drivers, info.name);
  ASSERT_NE(got, nullptr);
  EXPECT_PRED2(SamePath, got->driverPath, info.driverPath);
  ASSERT_EQ(got->dependentFiles.size(), 2u);
  EXPECT_TRUE(text::IEndsWith(got->dependentFiles[0], "vkres.dll"));
  EXPECT_TRUE(text::IEndsWith(got->dependentFiles[1], "nlaser.dll"));
  // An empty help file went as null, not as an empty path.
  EXPECT_EQ(got->helpFile, "");
  if (m.OnWine()) {
    // Wine takes level 6 but keeps only its level-3 part.
    EXPECT_TRUE(got->previousNames.empty() || got->previousNames == info.previousNames);
  } else {
    EXPECT_EQ(got->previousNames, info.previousNames);
    EXPECT_EQ(got->mfgName, info.mfgName);
    EXPECT_EQ(got->provider, info.provider);
  }

  // DeletePrinterDriverExA, which the adapter finds at run time.
  const plat::WinError ex =
      m.spooler().DeleteDriverEx(plat::spool::EnvNtX86, info.name, plat::spool::DpdDeleteSpecificVersion, 3);
  EXPECT_NE(ex, winerr::ProcNotFound);
  ASSERT_EQ(m.spooler().EnumDrivers(plat::spool::EnvNtX86, 3, &drivers), winerr::Success);
  const bool stillThere = FindDriver(drivers, info.name) != nullptr;
  EXPECT_EQ(stillThere, ex.failed()) << "error " << ex;

  if (stillThere) {
    EXPECT_EQ(m.spooler().DeleteDriver(plat::spool::EnvNtX86, info.name), winerr::Success);
  }
  ASSERT_EQ(m.spooler().EnumDrivers(plat::spool::EnvNtX86, 3, &drivers), winerr::Success);
  EXPECT_EQ(FindDriver(drivers, info.name), nullptr);
  EXPECT_NE(m.spooler().DeleteDriver(plat::spool::EnvNtX86, info.name), winerr::Success) << "deleted twice";
}

}  // namespace
}  // namespace e2e
