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

TEST(SimLibraries, WinspoolOffersTheExtendedDeletionOnlyFromWindows2000) {
  for (const auto& [os, expected] : {std::pair{"winxp", winerr::Success}, std::pair{"win2k", winerr::Success},
                                     std::pair{"nt4", winerr::ProcNotFound}, std::pair{"win98", winerr::ProcNotFound}}) {
    auto m = Load(std::string(R"({"os": ")") + os + "\"}");
    auto& libs = m->platform().libraries;
    plat::Handle lib = 0, proc = 0;
    ASSERT_EQ(libs.Load("WINSPOOL.DRV", &lib), winerr::Success) << os;
    EXPECT_EQ(libs.FindProcedure(lib, "DeletePrinterDriverExA", &proc), expected) << os;
    // Export names keep their case, as GetProcAddress compares them.
    EXPECT_EQ(libs.FindProcedure(lib, "deleteprinterdriverexa", &proc), winerr::ProcNotFound);
    libs.Close(lib);
  }
}

TEST(SimLibraries, ImageLibrariesMustBeOnDiskAndFaultsReachTheCall) {
  auto m = Load(R"({"os": "winxp", "files": {"C:\\drv\\ptzipw32.dll": {}},
                    "libraries": {"C:\\drv\\ptzipw32.dll": {"exports": ["PtZipList"]}},
                    "faults": [{"call": "Spooler.InvokeDeleteDriverEx", "error": "ERROR_INVALID_PARAMETER"}]})");
  auto& p = m->platform();
  plat::Handle lib = 0;
  EXPECT_EQ(p.libraries.Load("C:\\other\\ptzipw32.dll", &lib), winerr::ModNotFound);
  ASSERT_EQ(p.libraries.Load("C:\\drv\\PTZIPW32.DLL", &lib), winerr::Success);
  p.libraries.Close(lib);
  ASSERT_EQ(p.files.RemoveFile("C:\\drv\\ptzipw32.dll"), winerr::Success);
  EXPECT_EQ(p.libraries.Load("C:\\drv\\ptzipw32.dll", &lib), winerr::ModNotFound);
  // The way Wine fails the extended deletion.
  plat::Handle spool = 0, proc = 0;
  ASSERT_EQ(p.libraries.Load("WINSPOOL.DRV", &spool), winerr::Success);
  ASSERT_EQ(p.libraries.FindProcedure(spool, "DeletePrinterDriverExA", &proc), winerr::Success);
  EXPECT_EQ(p.spooler.InvokeDeleteDriverEx(proc, "", "X", 2, 3), winerr::InvalidParameter);
}

TEST(SimZipLister, WritesTheArchivesMemberListNextToIt) {
  auto m = Load(R"({"os": "winxp", "files": {"C:\\drv\\ptzipw32.dll": {}, "C:\\drv\\HELP.ZIP": {}},
                    "libraries": {"C:\\drv\\ptzipw32.dll": {"exports": ["PtZipList"]}},
                    "zipArchives": {"C:\\drv\\HELP.ZIP": ["A.HLP", "sub\\B.GID"]}})");
  auto& p = m->platform();
  plat::Handle lib = 0, proc = 0, wrong = 0;
  ASSERT_EQ(p.libraries.Load("C:\\drv\\ptzipw32.dll", &lib), winerr::Success);
  ASSERT_EQ(p.libraries.FindProcedure(lib, "PtZipList", &proc), winerr::Success);
  ASSERT_EQ(p.zipLister.InvokeList(proc, "C:\\drv\\HELP"), winerr::Success);
  std::string list;
  ASSERT_EQ(p.files.ReadText("C:\\drv\\HELP.txt", &list), winerr::Success);
  EXPECT_EQ(list, "A.HLP\r\nsub\\B.GID\r\n");
  EXPECT_EQ(p.zipLister.InvokeList(proc, "C:\\drv\\OTHER"), winerr::FileNotFound);
  EXPECT_FALSE(p.files.Exists("C:\\drv\\OTHER.txt"));
  EXPECT_EQ(Events(*m, "zipList").size(), 2u);
  // Only the lister's own procedure lists.
  ASSERT_EQ(p.libraries.Load("WINSPOOL.DRV", &wrong), winerr::Success);
  ASSERT_EQ(p.libraries.FindProcedure(wrong, "DeletePrinterDriverExA", &wrong), winerr::Success);
  EXPECT_EQ(p.zipLister.InvokeList(wrong, "C:\\drv\\HELP"), winerr::InvalidHandle);
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
