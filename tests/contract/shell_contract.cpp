#include "contract_env.h"
#include "platform/file_system.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

using ShellContract = ContractTest;

TEST_F(ShellContract, ShellDeleteRemovesAFolderWithReadOnlyFilesInIt) {
  auto& files = P().files;
  const std::string tree = env_->ScratchDirectory() + "\\tree";
  ASSERT_EQ(files.MakeDir(tree), winerr::Success);
  ASSERT_EQ(files.MakeDir(tree + "\\sub"), winerr::Success);
  ASSERT_EQ(files.WriteText(tree + "\\sub\\a.txt", "a"), winerr::Success);
  ASSERT_EQ(files.WriteText(tree + "\\b.txt", "b"), winerr::Success);
  ASSERT_EQ(files.SetAttributes(tree + "\\sub\\a.txt", plat::fileattr::ReadOnly), winerr::Success);
  ASSERT_EQ(files.WriteText(env_->ScratchDirectory() + "\\keep.txt", "k"), winerr::Success);

  EXPECT_EQ(P().desktop.ShellDelete(tree), winerr::Success);
  std::uint32_t attributes = 0;
  EXPECT_TRUE(files.GetAttributes(tree, &attributes).failed());
  EXPECT_EQ(files.GetAttributes(env_->ScratchDirectory() + "\\keep.txt", &attributes), winerr::Success);
}

TEST_F(ShellContract, ShellDeleteOfAMissingPathFails) {
  EXPECT_TRUE(P().desktop.ShellDelete(env_->ScratchDirectory() + "\\missing").failed());
}

TEST_F(ShellContract, NoWindowHasAMadeUpClass) {
  EXPECT_FALSE(P().desktop.HasTopLevelWindow("DrvpurgeNoSuchWindowClass", ""));
}

}  // namespace
}  // namespace contract
