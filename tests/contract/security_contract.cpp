#include <algorithm>

#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using SecurityContract = ContractTest;

TEST_F(SecurityContract, TheProcessTokenListsItsGroupsAsSids) {
  if (!IsNT()) GTEST_SKIP() << "the 9x family has no access tokens";
  std::vector<plat::Sid> groups;
  ASSERT_EQ(P().security.ProcessTokenGroups(&groups), winerr::Success);
  ASSERT_FALSE(groups.empty());
  for (const auto& sid : groups) EXPECT_EQ(sid.rfind("S-1-", 0), 0u) << sid;
  EXPECT_NE(std::find(groups.begin(), groups.end(), plat::wellknown::Everyone), groups.end());
}

TEST_F(SecurityContract, AThreadThatDoesNotImpersonateHasNoToken) {
  if (!IsNT()) GTEST_SKIP() << "the 9x family has no access tokens";
  std::vector<plat::Sid> groups;
  EXPECT_EQ(P().security.ThreadTokenGroups(&groups), winerr::NoToken);
}

}  // namespace
}  // namespace contract
