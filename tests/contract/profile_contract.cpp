#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using ProfileContract = ContractTest;

TEST_F(ProfileContract, MissingEntriesGiveTheDefault) {
  EXPECT_EQ(P().profile.GetString("DrvpurgeContractNoSection", "NoKey", "fallback"), "fallback");
}

TEST_F(ProfileContract, AWrittenValueReadsBack) {
  if (!env_->CanWriteWinIni()) GTEST_SKIP() << "win.ini may not be written on this machine";
  auto& p = P().profile;
  ASSERT_EQ(p.WriteString("DrvpurgeContract", "Key", "value 1"), winerr::Success);
  EXPECT_EQ(p.GetString("DrvpurgeContract", "key", ""), "value 1");
  ASSERT_EQ(p.WriteString("DrvpurgeContract", "Key", "value 2"), winerr::Success);
  EXPECT_EQ(p.GetString("drvpurgecontract", "Key", ""), "value 2");
  EXPECT_EQ(P().desktop.BroadcastWinIniChange("DrvpurgeContract"), winerr::Success);
}

}  // namespace
}  // namespace contract
