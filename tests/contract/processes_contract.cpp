#include "contract_env.h"
#include "platform/text.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using ProcessesContract = ContractTest;

TEST_F(ProcessesContract, SearchPathFindsAFileOfTheSystemDirectoryByItsName) {
  const std::string file = env_->ExistingFile();
  std::string found;
  ASSERT_EQ(P().processes.FindOnSearchPath(file.substr(file.find_last_of('\\') + 1), &found), winerr::Success);
  EXPECT_TRUE(text::IEquals(found, file)) << found;
}

TEST_F(ProcessesContract, SearchPathGivesFileNotFoundAndNoPathForAMissingName) {
  std::string found = "stale";
  EXPECT_EQ(P().processes.FindOnSearchPath("drvpurge-no-such-program.exe", &found), winerr::FileNotFound);
  EXPECT_EQ(found, "");
}

}  // namespace
}  // namespace contract
