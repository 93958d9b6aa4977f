#include <gtest/gtest.h>

#include "platform/win_errors.h"
#include "system/os_kind.h"

namespace {

struct OsCase {
  const char* name;
  std::uint32_t platformId, major, minor, build;
  OsKind expected;
};

void PrintTo(const OsCase& c, std::ostream* os) { *os << c.name; }

class ClassifyOsTest : public ::testing::TestWithParam<OsCase> {};

TEST_P(ClassifyOsTest, ClassifiesVersionRecord) {
  const OsCase& c = GetParam();
  plat::OsVersion v{c.platformId, c.major, c.minor, c.build, ""};
  EXPECT_EQ(ClassifyOs(v), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    KnownAndUnknownSystems, ClassifyOsTest,
    ::testing::Values(OsCase{"Win95", plat::kPlatformWindows, 4, 0, 950, OsWin95},
                      OsCase{"Win98", plat::kPlatformWindows, 4, 10, 1998, OsWin98},
                      OsCase{"Win98SE", plat::kPlatformWindows, 4, 10, 2222, OsWin98},
                      OsCase{"WinMe", plat::kPlatformWindows, 4, 90, 3000, OsWinMe},
                      OsCase{"UnknownNineX", plat::kPlatformWindows, 4, 3, 0, OsOther},
                      OsCase{"NT351", plat::kPlatformNT, 3, 51, 1057, OsNT351},
                      OsCase{"NT35", plat::kPlatformNT, 3, 50, 807, OsOther},
                      OsCase{"NT4", plat::kPlatformNT, 4, 0, 1381, OsNT4},
                      OsCase{"Win2000", plat::kPlatformNT, 5, 0, 2195, OsNT5},
                      OsCase{"WinXP", plat::kPlatformNT, 5, 1, 2600, OsNT5},
                      OsCase{"Server2003", plat::kPlatformNT, 5, 2, 3790, OsNT5},
                      OsCase{"Vista", plat::kPlatformNT, 6, 0, 6000, OsOther},
                      OsCase{"Win32s", plat::kPlatformWin32s, 3, 10, 0, OsOther},
                      // A 9x minor version on the NT platform is not a 9x system.
                      OsCase{"NtWithNineXMinor", plat::kPlatformNT, 3, 10, 0, OsOther}),
    [](const auto& info) { return std::string(info.param.name); });

// Counts the queries so the tests can see when the cache asks again.
class CountingOsInfo : public plat::OsInfo {
 public:
  plat::WinError GetVersion(plat::OsVersion* out) override {
    ++calls;
    if (error.failed()) return error;
    *out = version;
    return winerr::Success;
  }
  std::string ComputerName() override { return "PC01"; }

  plat::OsVersion version;
  plat::WinError error = winerr::Success;
  int calls = 0;
};

TEST(OsKindCache, KnownSystemIsClassifiedOnce) {
  CountingOsInfo info;
  info.version = {plat::kPlatformWindows, 4, 10, 2222, " A "};
  OsKindCache cache(info);
  EXPECT_EQ(cache.Get(), OsWin98);
  // A later change of the record is not seen: the class is kept for the run.
  info.version = {plat::kPlatformNT, 5, 1, 2600, ""};
  EXPECT_EQ(cache.Get(), OsWin98);
  EXPECT_EQ(info.calls, 1);
}

TEST(OsKindCache, UnknownSystemIsAskedAgainUntilClassified) {
  CountingOsInfo info;
  info.version = {plat::kPlatformNT, 6, 1, 7600, ""};
  OsKindCache cache(info);
  EXPECT_EQ(cache.Get(), OsOther);
  EXPECT_EQ(cache.Get(), OsOther);
  EXPECT_EQ(info.calls, 2);

  info.version = {plat::kPlatformNT, 4, 0, 1381, "Service Pack 6"};
  EXPECT_EQ(cache.Get(), OsNT4);
  EXPECT_EQ(cache.Get(), OsNT4);
  EXPECT_EQ(info.calls, 3);
}

TEST(OsKindCache, FailedVersionQueryIsOtherAndRetried) {
  CountingOsInfo info;
  info.error = winerr::AccessDenied;
  info.version = {plat::kPlatformNT, 5, 0, 2195, ""};
  OsKindCache cache(info);
  EXPECT_EQ(cache.Get(), OsOther);
  info.error = winerr::Success;
  EXPECT_EQ(cache.Get(), OsNT5);
  EXPECT_EQ(info.calls, 2);
}

}  // namespace
