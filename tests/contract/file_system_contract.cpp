#include "contract_env.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using FileSystemContract = ContractTest;

TEST_F(FileSystemContract, AttributesTellFilesFromDirectories) {
  auto& fs = P().files;
  std::uint32_t attributes = 0;
  ASSERT_EQ(fs.GetAttributes(env_->ExistingFile(), &attributes), winerr::Success);
  EXPECT_EQ(attributes & plat::fileattr::Directory, 0u);
  ASSERT_EQ(fs.GetAttributes(env_->ExistingDirectory(), &attributes), winerr::Success);
  EXPECT_NE(attributes & plat::fileattr::Directory, 0u);
  EXPECT_TRUE(fs.Exists(env_->ExistingFile()));
}

TEST_F(FileSystemContract, MissingFilesAndMissingDirectoriesFailDifferently) {
  auto& fs = P().files;
  std::uint32_t attributes = 0;
  EXPECT_EQ(fs.GetAttributes(env_->ExistingDirectory() + "\\no-such-file.txt", &attributes), winerr::FileNotFound);
  EXPECT_EQ(attributes, plat::kInvalidFileAttributes);
  EXPECT_EQ(fs.GetAttributes(env_->ExistingDirectory() + "\\no-such-dir\\file.txt", &attributes),
            winerr::PathNotFound);
}

}  // namespace
}  // namespace contract
