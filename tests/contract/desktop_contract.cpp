#include <set>

#include "contract_env.h"

namespace contract {
namespace {

using DesktopContract = ContractTest;

// Only looks: sending messages or ending processes would disturb the machine.
TEST_F(DesktopContract, TopLevelWindowsAreDistinctAndNonZero) {
  const auto windows = P().desktop.TopLevelWindows();
  std::set<plat::WindowId> distinct(windows.begin(), windows.end());
  EXPECT_EQ(distinct.size(), windows.size());
  EXPECT_EQ(distinct.count(plat::kNoHandle), 0u);
}

}  // namespace
}  // namespace contract
