// The shell's deletion of files and folders, temporary files and the search
// for a top-level window by class and title.
#include <string>

#include "contract_env.h"
#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/win_errors.h"

namespace contract {
namespace {

class ShellContract : public ContractTest {
 protected:
  std::string In(const std::string& name) { return env_->ScratchDirectory() + "\\" + name; }
};

TEST_F(ShellContract, AFolderGoesWithEverythingInItAndAFileAlone) {
  auto& fs = P().files;
  ASSERT_EQ(fs.MakeDir(In("Kestrion")), winerr::Success);
  ASSERT_EQ(fs.MakeDir(In("Kestrion\\Sub")), winerr::Success);
  ASSERT_EQ(fs.WriteText(In("Kestrion\\Sub\\a.lnk"), "a"), winerr::Success);
  ASSERT_EQ(fs.WriteText(In("Kestrion\\b.lnk"), "b"), winerr::Success);
  // A read-only file does not hold its folder back.
  ASSERT_EQ(fs.SetAttributes(In("Kestrion\\Sub\\a.lnk"), plat::fileattr::ReadOnly), winerr::Success);
  ASSERT_EQ(fs.WriteText(In("alone.lnk"), "c"), winerr::Success);
  ASSERT_EQ(fs.WriteText(In("neighbour.lnk"), "d"), winerr::Success);

  EXPECT_EQ(P().desktop.ShellDelete(In("Kestrion")), winerr::Success);
  EXPECT_EQ(P().desktop.ShellDelete(In("alone.lnk")), winerr::Success);
  EXPECT_FALSE(fs.Exists(In("Kestrion")));
  EXPECT_FALSE(fs.Exists(In("alone.lnk")));
  EXPECT_TRUE(fs.Exists(In("neighbour.lnk")));
  EXPECT_TRUE(P().desktop.ShellDelete(In("Kestrion")).failed()) << "what is gone cannot go again";
}

// The shell would take a wildcard as a pattern and delete every match, and
// a path cut to fit its buffer may name another item: neither may widen a
// deletion, so both are refused.
TEST_F(ShellContract, WildcardsAndPathsTooLongForTheBufferDeleteNothing) {
  auto& fs = P().files;
  ASSERT_EQ(fs.WriteText(In("one.lnk"), "1"), winerr::Success);
  ASSERT_EQ(fs.WriteText(In("two.lnk"), "2"), winerr::Success);
  // An item whose path is exactly as long as the longest path the buffer
  // holds, and a longer path that begins with it.
  const std::size_t room = 259 - In("").size();
  ASSERT_LT(room, 256u);
  const std::string longest = In(std::string(room, 'x'));
  ASSERT_EQ(fs.WriteText(longest, "3"), winerr::Success);

  for (const std::string& path : {In("*.lnk"), In("on?.lnk"), In("*"), longest + "yz", longest + "\\y"}) {
    EXPECT_TRUE(P().desktop.ShellDelete(path).failed()) << path;
  }
  EXPECT_TRUE(P().desktop.ShellDelete("").failed());
  EXPECT_TRUE(fs.Exists(In("one.lnk")));
  EXPECT_TRUE(fs.Exists(In("two.lnk")));
  EXPECT_TRUE(fs.Exists(longest));
  EXPECT_EQ(P().desktop.ShellDelete(longest), winerr::Success);
  EXPECT_FALSE(fs.Exists(longest));
}

TEST_F(ShellContract, TemporaryFilesAreNewEmptyAndNamedByThePrefix) {
  auto& fs = P().files;
  std::string first;
  std::string second;
  ASSERT_EQ(fs.CreateTempFile(env_->ScratchDirectory(), "sep", &first), winerr::Success);
  ASSERT_EQ(fs.CreateTempFile(env_->ScratchDirectory(), "sep", &second), winerr::Success);
  EXPECT_NE(first, second);
  for (const std::string& path : {first, second}) {
    EXPECT_TRUE(text::IStartsWith(path, In("sep"))) << path;
    EXPECT_TRUE(text::IEndsWith(path, ".tmp")) << path;
    std::string content = "stale";
    EXPECT_EQ(fs.ReadText(path, &content), winerr::Success);
    EXPECT_EQ(content, "");
  }
  std::string path = "stale";
  EXPECT_TRUE(fs.CreateTempFile(In("no-such-folder"), "sep", &path).failed());
  EXPECT_EQ(path, "");
}

TEST_F(ShellContract, ATopLevelWindowIsFoundByItsClassAndTitle) {
  EXPECT_FALSE(P().desktop.HasTopLevelWindow("DrvpurgeNoSuchWindowClass", ""));
  if (!env_->OpenTopLevelWindow("DrvpurgeContractWindow", "Drvpurge Contract Window"))
    GTEST_SKIP() << "no window can be opened here";
  EXPECT_TRUE(P().desktop.HasTopLevelWindow("DrvpurgeContractWindow", "Drvpurge Contract Window"));
  EXPECT_FALSE(P().desktop.HasTopLevelWindow("DrvpurgeContractWindow", "Another Title"));
  EXPECT_FALSE(P().desktop.HasTopLevelWindow("SAGEWINDOWCLASS", "Drvpurge Contract Window"));
}

}  // namespace
}  // namespace contract
