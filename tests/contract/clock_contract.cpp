#include "contract_env.h"

namespace contract {
namespace {

using ClockContract = ContractTest;

TEST_F(ClockContract, SleepingMovesTheTickCountOn) {
  auto& c = P().clock;
  const std::int64_t before = c.Now();
  const std::uint32_t tick = c.TickCount();
  c.Sleep(100);
  // Real tick counts move in steps of 10 to 16 ms.
  EXPECT_GE(static_cast<std::uint32_t>(c.TickCount() - tick), 80u);
  EXPECT_GE(c.Now(), before);
  EXPECT_GT(before, 946684800);  // after the year 2000
}

}  // namespace
}  // namespace contract
