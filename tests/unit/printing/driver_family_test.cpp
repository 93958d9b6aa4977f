// The maker's known driver files, the native driver version and the
// wizard's suffixes for drivers of another Windows.
#include <gtest/gtest.h>

#include <vector>

#include "printing/driver_family.h"

namespace {

TEST(DriverFamily, FileNameIsComparedWithoutCaseAndWithoutItsDirectory) {
  EXPECT_TRUE(IsPclFamilyFile("C:\\WINDOWS\\SYSTEM\\VKPCL5D.DRV", 0));
  EXPECT_TRUE(IsPclFamilyFile("vkpcl5c.drv", 16));  // no directory at all
  EXPECT_TRUE(IsPclFamilyFile("C:\\x\\3\\VkPcl2A.dll", 3));
  EXPECT_TRUE(IsPostScriptFamilyFile("C:\\x\\2\\VORPSNT.DLL", 2));
  EXPECT_FALSE(IsPclFamilyFile("C:\\x\\vkpcl5d.drv.bak", 0));
  EXPECT_FALSE(IsPclFamilyFile("C:\\vkpcl5d.drv\\other.drv", 0));  // the directory does not count
  EXPECT_FALSE(IsPclFamilyFile("", 0));
  EXPECT_FALSE(IsPostScriptFamilyFile("C:\\x\\", 0));
}

TEST(DriverFamily, VersionChoosesTheRowAndOddVersionsMatchNothing) {
  struct Case {
    const char* file;
    std::uint32_t version;
    bool pcl;
    bool postScript;
  };
  const std::vector<Case> cases = {
      {"vkpclna.dll", 2, true, false},    {"vkpclna.dll", 3, false, false}, {"vkpcl2a.dll", 3, true, false},
      {"vkpcl2a.dll", 2, false, false},   {"vkpcl5d.drv", 32, true, false}, {"vkpcl5d.drv", 2, false, false},
      {"vkpcl5d.drv", 1, false, false},   {"vkpcl5d.drv", 17, false, false}, {"vorpsnt3.dll", 3, false, true},
      {"vorpsnt3.dll", 2, false, false},  {"vorps.drv", 0, false, true},    {"vorps.drv", 1, false, false},
      {"vorpsnt.dll", 1024, false, false},  // the raw 9x version is a multiple of 16, but no NT file is
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsPclFamilyFile(c.file, c.version), c.pcl) << c.file << " v" << c.version;
    EXPECT_EQ(IsPostScriptFamilyFile(c.file, c.version), c.postScript) << c.file << " v" << c.version;
  }
}

TEST(DriverFamily, NativeIndexIsTheLastNativeDriverElseTheFirst) {
  const std::vector<std::uint32_t> nt4Set = {0, 2};
  EXPECT_EQ(NativeIndexAmong(nt4Set, NativeDriverVersion(OsNT4)), 1);
  EXPECT_EQ(NativeIndexAmong(nt4Set, NativeDriverVersion(OsNT351)), 1);
  EXPECT_EQ(NativeIndexAmong(nt4Set, NativeDriverVersion(OsWin98)), 0);
  const std::vector<std::uint32_t> xpSet = {3, 2, 3};
  EXPECT_EQ(NativeIndexAmong(xpSet, NativeDriverVersion(OsNT5)), 2);
  const std::vector<std::uint32_t> foreign = {2, 2};
  EXPECT_EQ(NativeIndexAmong(foreign, NativeDriverVersion(OsNT5)), 0);
  EXPECT_EQ(NativeIndexAmong({}, NativeDriverVersion(OsNT5)), -1);
  EXPECT_EQ(NativeDriverVersion(OsOther), 0u);
  EXPECT_EQ(NativeDriverVersion(OsWinMe), 0u);
}

TEST(DriverFamily, SuffixNamesTheWindowsADriverServesWhenItIsNotTheRunningOne) {
  for (OsKind os : {OsWin95, OsWin98, OsWinMe, OsOther}) {
    for (std::uint32_t version : {0u, 2u, 3u}) EXPECT_EQ(DisplayNameSuffix(os, version), "") << os << version;
  }
  for (OsKind os : {OsNT351, OsNT4}) {
    EXPECT_EQ(DisplayNameSuffix(os, 0), " (95/98/Me)");
    EXPECT_EQ(DisplayNameSuffix(os, 2), "");
    EXPECT_EQ(DisplayNameSuffix(os, 3), "");
  }
  EXPECT_EQ(DisplayNameSuffix(OsNT5, 0), " (95/98/Me)");
  EXPECT_EQ(DisplayNameSuffix(OsNT5, 2), " (NT 4.0)");
  EXPECT_EQ(DisplayNameSuffix(OsNT5, 3), "");
  EXPECT_EQ(DisplayNameSuffix(OsNT5, 1), "");
}

}  // namespace
