#include <algorithm>

#include "contract_env.h"
#include "platform/spooler.h"
#include "platform/text.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using SpoolerContract = ContractTest;

std::string NativeEnvironment(bool nt) { return nt ? plat::spool::EnvNtX86 : plat::spool::EnvWin40; }

TEST_F(SpoolerContract, EnumeratesPrintersAndDriversOfTheNativeEnvironment) {
  auto& s = P().spooler;
  std::vector<plat::PrinterInfo> printers;
  ASSERT_EQ(s.ListPrinters(plat::spool::EnumLocal | plat::spool::EnumConnections, &printers), winerr::Success);
  for (const auto& p : printers) {
    EXPECT_FALSE(p.printerName.empty());
    plat::Handle h = 0;
    ASSERT_EQ(s.OpenPrinterByName(p.printerName, 0, &h), winerr::Success) << p.printerName;
    std::vector<plat::JobInfo> jobs;
    EXPECT_EQ(s.ListJobs(h, 0, 1000, &jobs), winerr::Success);
    EXPECT_EQ(s.ClosePrinter(h), winerr::Success);
  }
  std::vector<plat::DriverInfo> drivers;
  ASSERT_EQ(s.EnumDrivers(NativeEnvironment(IsNT()), 3, &drivers), winerr::Success);
  for (const auto& d : drivers) EXPECT_FALSE(d.name.empty());
}

TEST_F(SpoolerContract, MissingPrintersAndUnknownEnvironmentsAreRefused) {
  auto& s = P().spooler;
  plat::Handle h = 0;
  EXPECT_EQ(s.OpenPrinterByName("No Such Printer For Drvpurge", 0, &h), winerr::InvalidPrinterName);
  std::vector<plat::DriverInfo> drivers;
  EXPECT_NE(s.EnumDrivers("Windows Drvpurge Imaginary", 3, &drivers), winerr::Success);
  EXPECT_EQ(s.DeleteDriver(NativeEnvironment(IsNT()), "No Such Driver For Drvpurge"), winerr::UnknownPrinterDriver);
}

TEST_F(SpoolerContract, DriverAndProcessorDirectoriesLieUnderTheSystemDirectory) {
  auto& s = P().spooler;
  const std::string system = P().files.SystemDirectory();
  std::string dir;
  ASSERT_EQ(s.GetDriverDirectory(NativeEnvironment(IsNT()), &dir), winerr::Success);
  EXPECT_TRUE(text::IStartsWith(dir, system)) << dir;
  EXPECT_TRUE(P().files.Exists(dir)) << dir;
  ASSERT_EQ(s.GetProcessorDirectory(NativeEnvironment(IsNT()), &dir), winerr::Success);
  EXPECT_TRUE(text::IStartsWith(dir, system)) << dir;
  if (IsNT()) {
    ASSERT_EQ(s.GetDriverDirectory(plat::spool::EnvWin40, &dir), winerr::Success);
    EXPECT_TRUE(text::IEndsWith(dir, "\\win40")) << dir;
  }
}

TEST_F(SpoolerContract, ADriverCanBeAddedReplacedAndDeleted) {
  if (!env_->CanChangeDrivers()) GTEST_SKIP() << "drivers may not be changed on this machine";
  auto& s = P().spooler;
  auto& fs = P().files;
  std::string dir;
  ASSERT_EQ(s.GetDriverDirectory("", &dir), winerr::Success);
  const std::string folder = IsNT() ? dir + "\\3" : dir;
  if (!fs.Exists(folder)) {
    ASSERT_EQ(fs.MakeDir(folder), winerr::Success);
  }
  for (const char* f : {"dpct.dll", "dpct.gpd", "dpctui.dll"})
    ASSERT_EQ(fs.CopyTo(env_->ExistingFile(), folder + "\\" + f, false), winerr::Success);
  plat::DriverInfo info;
  info.level = 3;
  info.version = IsNT() ? 3 : 0;
  info.name = "Drvpurge Contract Driver";
  info.environment = NativeEnvironment(IsNT());
  info.driverPath = folder + "\\dpct.dll";
  info.dataFile = folder + "\\dpct.gpd";
  info.configFile = folder + "\\dpctui.dll";
  const plat::WinError added = s.AddDriver(info);
  if (added == winerr::Success) {
    EXPECT_EQ(s.AddDriver(info), winerr::Success);  // again: replaces
    std::vector<plat::DriverInfo> drivers;
    ASSERT_EQ(s.EnumDrivers("", 3, &drivers), winerr::Success);
    EXPECT_EQ(std::count_if(drivers.begin(), drivers.end(), [&](const auto& d) { return d.name == info.name; }), 1);
    EXPECT_EQ(s.DeleteDriver("", info.name), winerr::Success);
    EXPECT_EQ(s.DeleteDriver("", info.name), winerr::UnknownPrinterDriver);
  } else {
    ADD_FAILURE() << "AddDriver failed with " << winerr::Name(added);
  }
  for (const char* f : {"dpct.dll", "dpct.gpd", "dpctui.dll"}) static_cast<void>(fs.RemoveFile(folder + "\\" + f));  // cleanup
}

}  // namespace
}  // namespace contract
