#include <fstream>
#include <sstream>

#include "platform/win_errors.h"
#include "sim_test_util.h"

using simtest::Events;
using simtest::Load;

namespace {

TEST(SimProfile, ReadsTheImagesWinIniAndJournalsWrites) {
  auto m = Load(R"({"os": "win98", "winIni": {"windows": {"device": "P1,vk,LPT1:"}}})");
  auto& p = m->platform();
  EXPECT_EQ(p.profile.GetString("Windows", "Device", ""), "P1,vk,LPT1:");
  EXPECT_EQ(p.profile.GetString("windows", "missing", "dflt"), "dflt");
  ASSERT_EQ(p.profile.WriteString("Windows", "device", "P2,vk,LPT2:"), winerr::Success);
  EXPECT_EQ(p.profile.GetString("windows", "device", ""), "P2,vk,LPT2:");
  ASSERT_EQ(p.desktop.BroadcastWinIniChange("Windows"), winerr::Success);
  EXPECT_EQ(Events(*m, "profileWrite").at(0)["value"], "P2,vk,LPT2:");
  EXPECT_EQ(Events(*m, "broadcast").at(0)["section"], "Windows");
  EXPECT_EQ(Load(m->Save().dump())->platform().profile.GetString("windows", "device", ""), "P2,vk,LPT2:");
}

TEST(SimSpooler, TheExtendedDriverDeletionIsThereOnlyFromWindows2000) {
  for (const auto& [os, expected] :
       {std::pair{"winxp", winerr::UnknownPrinterDriver}, std::pair{"win2k", winerr::UnknownPrinterDriver},
        std::pair{"nt4", winerr::ProcNotFound}, std::pair{"win98", winerr::ProcNotFound}}) {
    auto m = Load(std::string(R"({"os": ")") + os + "\"}");
    EXPECT_EQ(m->platform().spooler.DeleteDriverEx("", "X", plat::spool::DpdDeleteSpecificVersion, 3), expected) << os;
  }
  // An image may give the system's spooler library other exports; export
  // names keep their case, as GetProcAddress compares them.
  auto m = Load(R"({"os": "winxp", "libraries": {"WINSPOOL.DRV": {"exports": ["deleteprinterdriverexa"]}}})");
  EXPECT_EQ(m->platform().spooler.DeleteDriverEx("", "X", 2, 3), winerr::ProcNotFound);
}

TEST(SimZipLister, ListerLibrariesMustBeOnDiskAndFaultsReachTheCall) {
  auto m = Load(R"({"os": "winxp", "files": {"C:\\drv\\ptzipw32.dll": {}, "C:\\drv\\HELP.ZIP": {}},
                    "libraries": {"C:\\drv\\ptzipw32.dll": {"exports": ["PtZipList"]}},
                    "zipArchives": {"C:\\drv\\HELP.ZIP": ["A.HLP"]},
                    "faults": [{"call": "Spooler.DeleteDriverEx", "error": "ERROR_INVALID_PARAMETER"}]})");
  auto& p = m->platform();
  EXPECT_EQ(p.zipLister.List("C:\\other\\ptzipw32.dll", "C:\\drv\\HELP"), winerr::ModNotFound);
  ASSERT_EQ(p.zipLister.List("C:\\drv\\PTZIPW32.DLL", "C:\\drv\\HELP"), winerr::Success);
  ASSERT_EQ(p.files.RemoveFile("C:\\drv\\ptzipw32.dll"), winerr::Success);
  EXPECT_EQ(p.zipLister.List("C:\\drv\\ptzipw32.dll", "C:\\drv\\HELP"), winerr::ModNotFound);
  // The way Wine fails the extended deletion.
  EXPECT_EQ(p.spooler.DeleteDriverEx("", "X", 2, 3), winerr::InvalidParameter);
}

TEST(SimZipLister, WritesTheArchivesMemberListNextToIt) {
  auto m = Load(R"({"os": "winxp", "files": {"C:\\drv\\ptzipw32.dll": {}, "C:\\drv\\HELP.ZIP": {}},
                    "libraries": {"C:\\drv\\ptzipw32.dll": {"exports": ["PtZipList"]}},
                    "zipArchives": {"C:\\drv\\HELP.ZIP": ["A.HLP", "sub\\B.GID"]}})");
  auto& p = m->platform();
  const std::string lister = "C:\\drv\\ptzipw32.dll";
  ASSERT_EQ(p.zipLister.List(lister, "C:\\drv\\HELP"), winerr::Success);
  std::string list;
  ASSERT_EQ(p.files.ReadText("C:\\drv\\HELP.txt", &list), winerr::Success);
  EXPECT_EQ(list, "A.HLP\r\nsub\\B.GID\r\n");
  EXPECT_EQ(p.zipLister.List(lister, "C:\\drv\\OTHER"), winerr::FileNotFound);
  EXPECT_FALSE(p.files.Exists("C:\\drv\\OTHER.txt"));
  EXPECT_EQ(Events(*m, "zipList").size(), 2u);
  // Only a library that exports the lister lists.
  EXPECT_EQ(p.zipLister.List("WINSPOOL.DRV", "C:\\drv\\HELP"), winerr::ProcNotFound);
  EXPECT_EQ(Events(*m, "zipList").size(), 2u);
}

std::string ReadExample(const std::string& name) {
  std::ifstream in(std::string(DP_EXAMPLES_DIR) + "/" + name);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(MakerExamples, LoadAndSaveBackUnchanged) {
  for (const char* name : {"winxp-maker.json", "win98-maker.json"}) {
    auto m = Load(ReadExample(name));
    ASSERT_NE(m, nullptr) << name;
    const auto saved = m->Save();
    EXPECT_EQ(Load(saved.dump())->Save(), saved) << name;
    std::vector<plat::DriverInfo> drivers;
    ASSERT_EQ(m->platform().spooler.EnumDrivers("", 3, &drivers), winerr::Success) << name;
    EXPECT_FALSE(drivers.empty());
    for (const auto& d : drivers) EXPECT_TRUE(m->platform().files.Exists(d.driverPath)) << d.driverPath;
  }
}

}  // namespace
