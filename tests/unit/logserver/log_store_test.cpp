#include "log_store.h"

#include <gtest/gtest.h>

namespace logstore {
namespace {

TEST(LogStore, AnEntryIsAddedOnceWhateverItsCaseAndRemovedWhateverItsCase) {
  LogStore s;
  EXPECT_TRUE(s.AddEntry(1, "Kestrion", "C:\\KS\\a.exe"));
  EXPECT_FALSE(s.AddEntry(1, "KESTRION", "c:\\ks\\A.EXE"));
  EXPECT_TRUE(s.AddEntry(1, "Kestrion", "C:\\KS\\b.exe"));
  EXPECT_EQ(s.List(1, "kestrion"), "C:\\KS\\a.exe\nC:\\KS\\b.exe\n");
  EXPECT_TRUE(s.IsInstalled("kestrion"));

  EXPECT_EQ(s.RemoveEntry(1, "Kestrion", "C:\\ks\\A.exe"), 1);
  EXPECT_EQ(s.RemoveEntry(1, "Kestrion", "C:\\ks\\A.exe"), 0);
  EXPECT_EQ(s.List(1, "Kestrion"), "C:\\KS\\b.exe\n");
}

TEST(LogStore, AListThatDoesNotSplitIntoEntriesIsNeitherExtendedNorCut) {
  LogStore s;
  s.components()["K"].lists[2] = "C:\\a\n\nC:\\b";
  EXPECT_EQ(s.RemoveEntry(2, "K", "C:\\a"), 0);
  EXPECT_EQ(s.List(2, "K"), "C:\\a\n\nC:\\b");
  EXPECT_EQ(s.LoggedPath(2, "K", "b"), "C:\\b");
}

TEST(LogStore, ALoggedPathIsFoundByItsLastComponentOnly) {
  LogStore s;
  ASSERT_TRUE(s.AddEntry(1, "K", "C:\\Dir\\drvpurge.exe"));
  ASSERT_TRUE(s.AddEntry(1, "K", "C:\\Other/tool.EXE"));
  struct Case {
    const char* name;
    const char* path;
  };
  const Case cases[] = {
      {"DRVPURGE.EXE", "C:\\Dir\\drvpurge.exe"},
      {"tool.exe", "C:\\Other/tool.EXE"},
      {"Dir\\drvpurge.exe", ""},
      {"purge.exe", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(s.LoggedPath(1, "K", c.name), c.path) << c.name;
  EXPECT_EQ(s.LoggedPath(1, "Unknown", "tool.exe"), "");
}

TEST(LogStore, AnEmptyPropertyValueDropsThePropertyAndForgettingDropsTheRecord) {
  LogStore s;
  EXPECT_TRUE(s.SetProperty("K", "BaseDir", "C:\\K"));
  EXPECT_FALSE(s.SetProperty("K", "basedir", "C:\\K"));
  EXPECT_EQ(s.Property("k", "BASEDIR"), "C:\\K");
  EXPECT_TRUE(s.SetProperty("K", "BaseDir", ""));
  EXPECT_EQ(s.Property("K", "BaseDir"), "");
  EXPECT_FALSE(s.SetProperty("K", "BaseDir", ""));

  s.SetInstalled("K", false);
  EXPECT_FALSE(s.IsInstalled("K"));
  EXPECT_TRUE(s.Forget("k"));
  EXPECT_FALSE(s.Forget("K"));
  EXPECT_TRUE(s.components().empty());
}

}  // namespace
}  // namespace logstore
