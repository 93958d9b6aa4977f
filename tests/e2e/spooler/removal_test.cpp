// drvpurge's removal over the real spooler: the maker's printers are deleted,
// then the drivers they freed with their own files, their help indexes and
// the members unpacked from their archive. Another maker's printer and
// driver, the file that driver shares, the maker's shared library in the
// system directory and an archive member that climbs out of its folder stay.
//
// The removal changes the prefix for good, so this suite runs in a prefix of
// its own (the CTest test e2e.spooler.removal).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_list.h"
#include "printing_run.h"
#include "system/registry_helpers.h"

namespace e2e {
namespace {

const char kDriversKey[] = "System\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Drivers\\Version-3\\";
const char kPrintersKey[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";
// Where the uninstaller finds the archive lister: the folder of this value,
// whose last part is cut off.
const char kZipDir[] = "C:\\Program Files\\BREVIK\\Zip";
// Members of the LP-8000's archive, as the lister reports them.
const char kMembers[] = "VLPA.HLP\r\n..\\..\\x.txt\r\n";

bool KeyExists(plat::Registry& registry, const std::string& path) {
  plat::HKey key = plat::kNoHandle;
  if (registry.OpenKey(plat::kHkeyLocalMachine, path, plat::keyaccess::Read, &key).failed()) return false;
  registry.Close(key);
  return true;
}

std::vector<std::string> PrinterNames(plat::Spooler& spooler) {
  std::vector<plat::PrinterInfo> printers;
  EXPECT_EQ(spooler.ListPrinters(plat::spool::EnumLocal | plat::spool::EnumConnections, &printers), winerr::Success);
  std::vector<std::string> names;
  for (const auto& p : printers) names.push_back(p.printerName);
  return names;
}

std::vector<std::string> DriverNames(plat::Spooler& spooler) {
  std::vector<plat::DriverInfo> drivers;
  EXPECT_EQ(spooler.EnumDrivers(plat::spool::EnvNtX86, 3, &drivers), winerr::Success);
  std::vector<std::string> names;
  for (const auto& d : drivers) names.push_back(d.name);
  return names;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  for (const auto& n : names)
    if (n == name) return true;
  return false;
}

class SeededRemoval : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& m = Machine();
    auto& files = m.files();
    versionDir_ = m.VersionDir();
    driverDir_ = m.DriverDir();
    systemDir_ = files.SystemDirectory();

    // What the maker's setup leaves beside the drivers: the help index, the
    // members unpacked from the archive, and the shared library in the
    // system directory. A file above the driver folders that an archive
    // list names with "..".
    for (const std::string& file : {versionDir_ + "\\vkpcl2a.gid", versionDir_ + "\\VLPA.HLP",
                                    versionDir_ + "\\VLPA.GID", systemDir_ + "\\VORLOG.DLL",
                                    systemDir_ + "\\vorps3ui.dll", Climber()})
      ASSERT_EQ(files.WriteText(file, "seeded"), winerr::Success) << file;

    // The lister and the list it is to report.
    static_cast<void>(files.MakeDir(kZipDir));  // it may be there already
    ASSERT_EQ(files.CopyTo(m.ProgramDir() + "\\ptzipw32.dll", std::string(kZipDir) + "\\ptzipw32.dll", false), winerr::Success);
    ASSERT_EQ(files.WriteText(std::string(kZipDir) + "\\ptzipw32.members", kMembers), winerr::Success);
    ASSERT_TRUE(RegSetString(m.registry(), plat::kHkeyLocalMachine, "SOFTWARE\\Vorkast\\Install", "UnstDirBREVIK",
                             std::string(kZipDir) + "\\drvpurge.exe"));
  }

  // "..\..\x.txt" from the version folder.
  std::string Climber() const { return driverDir_.substr(0, driverDir_.find_last_of('\\')) + "\\x.txt"; }
  std::string InVersionDir(const std::string& name) const { return versionDir_ + "\\" + name; }

  std::string driverDir_, versionDir_, systemDir_;
};

TEST_F(SeededRemoval, RemovesTheMakersPrintersDriversAndOwnFilesOnly) {
  auto& m = Machine();
  const std::string foreignDriver = SeedDrivers()[2].name;
  const std::string foreignPrinter = SeedPrinters()[2].name;
  ASSERT_FALSE(SeedDrivers()[2].maker);
  ASSERT_FALSE(SeedPrinters()[2].maker);
  // The keys the checks below look for must be where this spooler keeps them.
  for (const DriverSeed& seed : SeedDrivers())
    ASSERT_TRUE(KeyExists(m.registry(), kDriversKey + seed.name)) << seed.name;
  for (const PrinterSeed& seed : SeedPrinters())
    ASSERT_TRUE(KeyExists(m.registry(), kPrintersKey + seed.name)) << seed.name;

  // The maker's own files in the version folder (the archive's list is
  // written during the removal).
  const std::vector<std::string> ownFiles = {
      "vkpcl2a.dll", "vkpcl2ui.dll", "vklp7000.gpd", "vkpcl2a.hlp", "vkpcl2a.gid", "VORLOG.DLL",
      "vorpsnt3.dll", "vorps3ui.dll", "vlp8000.ppd", "vlphelp.zip", "VLPA.HLP", "VLPA.GID", "VLPHELP.txt"};
  for (const std::string& name : ownFiles) {
    if (name != "VLPHELP.txt") {
      ASSERT_TRUE(m.files().Exists(InVersionDir(name))) << name;
    }
  }

  PrintingRun run(m);
  run.Inventory();
  std::vector<CPrinterDriver*> orphans;
  run.drivers.CollectOrphanDrivers(orphans);
  for (const auto& printer : run.printers) printer->selected = true;  // the foreign one too: it must be skipped
  run.printers.RemoveSelected(WaitForJobsCallback(), nullptr);
  run.drivers.RemoveFreedMakerDrivers();

  // Through the spooler and its registry.
  const auto printers = PrinterNames(m.spooler());
  const auto drivers = DriverNames(m.spooler());
  for (const PrinterSeed& seed : SeedPrinters()) {
    EXPECT_EQ(Contains(printers, seed.name), !seed.maker) << seed.name;
    EXPECT_EQ(KeyExists(m.registry(), kPrintersKey + seed.name), !seed.maker) << seed.name;
    const CPrinter* printer = run.printers.FindByName(seed.name);
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->state, seed.maker ? RemovalState::Removed : RemovalState::NotTried) << seed.name;
  }
  for (const DriverSeed& seed : SeedDrivers()) {
    EXPECT_EQ(Contains(drivers, seed.name), !seed.maker) << seed.name;
    EXPECT_EQ(KeyExists(m.registry(), kDriversKey + seed.name), !seed.maker) << seed.name;
  }
  EXPECT_FALSE(run.drivers.AnyMakerDriverLeft());
  EXPECT_FALSE(run.printers.AnyMakerPrinterLeft());
  if (m.OnWine()) {
    // Wine refuses DeletePrinterDriverEx with any flag: the forced removal ran.
    EXPECT_TRUE(run.restartSpooler);
  }

  // The files: gone, or handed to the deleter because something holds them.
  auto& files = m.files();
  auto goneOrDeferred = [&](const std::string& path) {
    return !files.Exists(path) || run.deleter.IsDeferredFile(path);
  };
  for (const std::string& name : ownFiles) {
    EXPECT_PRED1(goneOrDeferred, InVersionDir(name));
    // The installer's copies in the driver directory itself go as well.
    EXPECT_PRED1(goneOrDeferred, driverDir_ + "\\" + name);
  }
  EXPECT_PRED1(goneOrDeferred, systemDir_ + "\\vorps3ui.dll") << "a copy in the system directory goes too";

  // What stays: the foreign driver's files, the file it shares with the
  // maker's, the maker's shared library in the system directory, and what
  // the archive list names outside its folder.
  for (const char* name : {"nlaser.dll", "nlaserui.dll", "nlaser.ppd", "vkres.dll"}) {
    EXPECT_TRUE(files.Exists(InVersionDir(name))) << name;
    EXPECT_TRUE(files.Exists(driverDir_ + "\\" + name)) << name;
  }
  EXPECT_TRUE(files.Exists(systemDir_ + "\\VORLOG.DLL"));
  EXPECT_TRUE(files.Exists(Climber())) << Climber();

  // The lister was asked for each copy of the archive, by its path without
  // extension: the spooler's in the version folder, then the one the
  // installer left in the driver directory.
  std::string log;
  ASSERT_EQ(files.ReadText(std::string(kZipDir) + "\\ptzipw32.log", &log), winerr::Success);
  EXPECT_TRUE(text::IEquals(log, "PtZipList|" + InVersionDir("VLPHELP") + "|0|0\r\n" + "PtZipList|" + driverDir_ +
                                     "\\VLPHELP|0|0\r\n"))
      << log;
}

}  // namespace
}  // namespace e2e
