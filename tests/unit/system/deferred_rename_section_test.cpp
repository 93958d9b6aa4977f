#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/text_file_lines.h"
#include "system/wininit_rename.h"

namespace {
using Lines = std::vector<std::string>;

TEST(MergeRenameSection, KeepsTheSectionsPlaceWithNewEntriesBeforeTheOldOnes) {
  const std::string file = "[X]\r\nx=1\r\n[Rename]\r\nNUL=C:\\OLD.DLL\r\n[Y]\r\ny=2\r\n";
  EXPECT_EQ(MergeRenameSection(file, {"NUL=C:\\NEW.DLL"}),
            (Lines{"[X]", "x=1", "[Rename]", "NUL=C:\\NEW.DLL", "NUL=C:\\OLD.DLL", "[Y]", "y=2"}));
}

TEST(MergeRenameSection, AppendsTheSectionWhenItIsLastMissingOrTheFileEmpty) {
  EXPECT_EQ(MergeRenameSection("[X]\nx=1\n", {"NUL=C:\\A"}), (Lines{"[X]", "x=1", "[Rename]", "NUL=C:\\A"}));
  EXPECT_EQ(MergeRenameSection("[X]\n[Rename]\nNUL=C:\\B", {"NUL=C:\\A"}),
            (Lines{"[X]", "[Rename]", "NUL=C:\\A", "NUL=C:\\B"}));
  EXPECT_EQ(MergeRenameSection("", {"NUL=C:\\A"}), (Lines{"[Rename]", "NUL=C:\\A"}));
  EXPECT_EQ(MergeRenameSection(" \r\n\t\n", {"NUL=C:\\A"}), (Lines{"[Rename]", "NUL=C:\\A"}));
}

TEST(MergeRenameSection, TrimsDropsBlankLinesAndMergesWithoutCase) {
  const std::string file = "  ; note  \n\n  [rename]  \n nul=c:\\a \nNUL=C:\\B\n";
  EXPECT_EQ(MergeRenameSection(file, {"NUL=C:\\A"}), (Lines{"; note", "[Rename]", "NUL=C:\\A", "NUL=C:\\B"}));
}

TEST(MergeRenameSection, GathersDuplicateSectionsIntoTheFirst) {
  const std::string file = "[Rename]\nNUL=C:\\B\n[X]\nx=1\n[RENAME]\nNUL=C:\\C\nNUL=C:\\B\n[Y]\n";
  EXPECT_EQ(MergeRenameSection(file, {"NUL=C:\\A"}),
            (Lines{"[Rename]", "NUL=C:\\A", "NUL=C:\\B", "NUL=C:\\C", "[X]", "x=1", "[Y]"}));
}

TEST(MergeRenameSection, KeepsLongLinesWhole) {
  const std::string longEntry = "NUL=C:\\" + std::string(600, 'A');
  const std::string longOther = "k=" + std::string(450, 'v');
  EXPECT_EQ(MergeRenameSection("[X]\n" + longOther + "\n[Rename]\n" + longEntry + "\n", {"NUL=C:\\B"}),
            (Lines{"[X]", longOther, "[Rename]", "NUL=C:\\B", longEntry}));
}

TEST(FileLines, SplitKeepsEmptyLinesAndALastLineWithoutEndAndJoinWritesCrLf) {
  EXPECT_EQ(SplitFileLines(""), Lines{});
  EXPECT_EQ(SplitFileLines("a\r\n\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitFileLines("a\n"), (Lines{"a"}));
  EXPECT_EQ(JoinFileLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(SplitFileLines(JoinFileLines({"x y", "z"})), (Lines{"x y", "z"}));
}
}  // namespace
