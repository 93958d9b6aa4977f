#include "contract_env.h"
#include "platform/text.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using TempFileContract = ContractTest;

TEST_F(TempFileContract, CreatesADistinctEmptyFileNamedFromThreeCharactersOfThePrefix) {
  const std::string dir = env_->ScratchDirectory();
  std::string first, second;
  ASSERT_EQ(P().files.CreateTempFile(dir, "vorlog", &first), winerr::Success);
  ASSERT_EQ(P().files.CreateTempFile(dir, "vorlog", &second), winerr::Success);
  EXPECT_NE(first, second);
  for (const std::string& path : {first, second}) {
    EXPECT_TRUE(text::IStartsWith(path, dir + "\\vor")) << path;
    EXPECT_FALSE(text::IStartsWith(path, dir + "\\vorl")) << path;
    EXPECT_TRUE(path.size() > 4 && text::IEquals(path.substr(path.size() - 4), ".tmp")) << path;
    std::string content = "x";
    ASSERT_EQ(P().files.ReadText(path, &content), winerr::Success) << path;
    EXPECT_EQ(content, "");
  }
}

TEST_F(TempFileContract, FailsWithoutAPathWhenTheDirectoryIsMissing) {
  std::string path = "stale";
  EXPECT_TRUE(P().files.CreateTempFile(env_->ScratchDirectory() + "\\missing", "vor", &path).failed());
  EXPECT_EQ(path, "");
}

}  // namespace
}  // namespace contract
