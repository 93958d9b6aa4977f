#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using OsInfoContract = ContractTest;

TEST_F(OsInfoContract, TheVersionRecordNamesAWindowsFamily) {
  plat::OsVersion v;
  ASSERT_EQ(P().osInfo.GetVersion(&v), winerr::Success);
  EXPECT_TRUE(v.platformId == plat::kPlatformWindows || v.platformId == plat::kPlatformNT) << v.platformId;
  EXPECT_GE(v.major, 3u);
  EXPECT_FALSE(P().osInfo.ComputerName().empty());
}

}  // namespace
}  // namespace contract
