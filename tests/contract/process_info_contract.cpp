#include "contract_env.h"
#include "platform/text.h"

namespace contract {
namespace {

using ProcessInfoContract = ContractTest;

TEST_F(ProcessInfoContract, TheModulePathIsTheFullPathOfAProgram) {
  const std::string path = P().process.ModulePath();
  ASSERT_GT(path.size(), 3u);
  EXPECT_EQ(path[1], ':');
  EXPECT_EQ(path[2], '\\');
  EXPECT_TRUE(text::IEndsWith(path, ".exe")) << path;
}

}  // namespace
}  // namespace contract
