// The archive lister double through the ZipLister adapter:
// the calling convention both sides agree on, and what the double leaves.
#include <gtest/gtest.h>

#include <string>

#include "e2e_machine.h"
#include "platform/win_errors.h"

namespace e2e {
namespace {

TEST(ZipListerDouble, ListsTheMembersItIsToldAndLogsEveryCall) {
  auto& m = Machine();
  auto& files = m.files();
  const std::string dir = files.TempDirectory() + "dp-zip";
  static_cast<void>(files.MakeDir(dir));  // it may be there already
  ASSERT_EQ(files.CopyTo(m.ProgramDir() + "\\ptzipw32.dll", dir + "\\ptzipw32.dll", false), winerr::Success);
  const std::string members = "A.HLP\r\nsub\\B.PPD\r\n";
  ASSERT_EQ(files.WriteText(dir + "\\ptzipw32.members", members), winerr::Success);

  const std::string lister = dir + "\\ptzipw32.dll";
  const std::string base = dir + "\\HELP";
  EXPECT_EQ(m.platform().zipLister.List(lister, base), winerr::Success);
  std::string listed;
  ASSERT_EQ(files.ReadText(base + ".txt", &listed), winerr::Success);
  EXPECT_EQ(listed, members);

  // Without its control file the lister fails and writes nothing.
  ASSERT_EQ(files.RemoveFile(dir + "\\ptzipw32.members"), winerr::Success);
  EXPECT_EQ(m.platform().zipLister.List(lister, dir + "\\OTHER"), winerr::FileNotFound);
  EXPECT_FALSE(files.Exists(dir + "\\OTHER.txt"));

  std::string log;
  ASSERT_EQ(files.ReadText(dir + "\\ptzipw32.log", &log), winerr::Success);
  EXPECT_EQ(log, "PtZipList|" + base + "|0|0\r\nPtZipList|" + dir + "\\OTHER|0|0\r\n");

  EXPECT_EQ(m.platform().zipLister.List(dir + "\\missing.dll", base), winerr::ModNotFound);
}

}  // namespace
}  // namespace e2e
