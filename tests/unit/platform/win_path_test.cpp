// The Windows path rules: what Windows would open for a path given as data.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "platform/win_path.h"

namespace {

TEST(WinPath, TrailingDotsAndBlanksFallOffANameButStepsStay) {
  struct Case {
    const char* name;
    const char* resolved;
  };
  for (const Case& c : {Case{"UNIDRVUI.DLL.", "UNIDRVUI.DLL"}, Case{"UNIDRVUI.DLL . .", "UNIDRVUI.DLL"},
                        Case{"A.HLP  ", "A.HLP"}, Case{" lead", " lead"}, Case{"a.b", "a.b"}, Case{".", "."},
                        Case{"..", ".."}, Case{"...", ""}, Case{". .", ""}, Case{"", ""}}) {
    EXPECT_EQ(winpath::TrimName(c.name), c.resolved) << '"' << c.name << '"';
  }
  for (const char* none : {"", ".", "..", "...", " ", ". ."}) EXPECT_TRUE(winpath::IsStepOrEmpty(none)) << none;
  for (const char* some : {"a", ".a", "a.", " a"}) EXPECT_FALSE(winpath::IsStepOrEmpty(some)) << some;
}

TEST(WinPath, TheLastComponentFollowsEitherSeparator) {
  EXPECT_EQ(winpath::LastComponent("C:\\dir\\file.dll"), "file.dll");
  EXPECT_EQ(winpath::LastComponent("C:\\dir/file.dll"), "file.dll");
  EXPECT_EQ(winpath::LastComponent("file.dll"), "file.dll");
  EXPECT_EQ(winpath::LastComponent("C:\\dir\\"), "");
}

TEST(WinPath, ParentAndFileNameSplitAtTheLastSeparatorOfEitherKind) {
  struct Case {
    const char* path;
    const char* parent;
    const char* fileName;
  };
  for (const Case& c : {Case{"C:\\dir\\file.dll", "C:\\dir", "file.dll"}, Case{"C:\\dir/file.dll.", "C:\\dir", "file.dll"},
                        Case{"file.dll", "", "file.dll"}, Case{"\\file.dll", "", "file.dll"},
                        Case{"C:\\dir\\", "C:\\dir", ""}, Case{"C:\\dir\\..", "C:\\dir", ""},
                        Case{"C:\\dir\\. .", "C:\\dir", ""}}) {
    EXPECT_EQ(winpath::Parent(c.path), c.parent) << c.path;
    EXPECT_EQ(winpath::FileName(c.path), c.fileName) << c.path;
  }
  EXPECT_EQ(winpath::SplitNames("\\\\srv//share\\a\\"), (std::vector<std::string_view>{"srv", "share", "a"}));
}

TEST(WinPath, RootsAreToldApartFromPathsThatLeanOnACurrentDirectory) {
  struct Case {
    const char* path;
    bool unc;
    bool drive;
    bool driveAbsolute;
  };
  for (const Case& c : {Case{"C:\\dir", false, true, true}, Case{"c:/dir", false, true, true},
                        Case{"C:dir", false, true, false}, Case{"C:", false, true, false},
                        Case{"\\\\srv\\share", true, false, false}, Case{"//srv/share", true, false, false},
                        Case{"\\dir", false, false, false}, Case{"dir\\x", false, false, false},
                        Case{"1:\\dir", false, false, false}, Case{"", false, false, false}}) {
    EXPECT_EQ(winpath::IsUnc(c.path), c.unc) << c.path;
    EXPECT_EQ(winpath::HasDrive(c.path), c.drive) << c.path;
    EXPECT_EQ(winpath::IsDriveAbsolute(c.path), c.driveAbsolute) << c.path;
  }
}

TEST(WinPath, APlainNameCannotLeaveTheDirectoryItIsJoinedTo) {
  for (const char* name : {"winprint.dll", "a..b", ".hidden", "x."}) EXPECT_TRUE(winpath::IsPlainName(name)) << name;
  for (const char* name : {"", ".", "..", "sub\\x.dll", "sub/x.dll", "C:x.dll", "x.dll:stream"})
    EXPECT_FALSE(winpath::IsPlainName(name)) << name;
}

TEST(WinPath, PathsResolveNameByName) {
  struct Case {
    const char* path;
    const char* resolved;
  };
  for (const Case& c : {Case{"C:\\WINDOWS\\system32\\UNIDRVUI.DLL.", "C:\\WINDOWS\\system32\\UNIDRVUI.DLL"},
                        Case{"C:/WINDOWS//system32\\x.dll", "C:\\WINDOWS\\system32\\x.dll"},
                        Case{"C:\\dir. \\file", "C:\\dir\\file"}, Case{"C:\\dir\\", "C:\\dir"},
                        Case{"C:\\", "C:\\"}, Case{"C:", "C:"}, Case{"C:\\...", "C:\\"},
                        Case{"\\\\SRV\\share\\a.", "\\\\SRV\\share\\a"}, Case{"\\dir\\a", "\\dir\\a"},
                        Case{"sub\\..\\a", "sub\\..\\a"}, Case{"a.hlp", "a.hlp"}}) {
    EXPECT_EQ(winpath::Resolve(c.path), c.resolved) << c.path;
  }
}

TEST(WinPath, NamesThatWindowsOpensAsOneFileCompareEqual) {
  EXPECT_TRUE(winpath::SameFile("C:\\D\\3\\unidrvui.dll", "c:\\d\\3\\UNIDRVUI.DLL. "));
  EXPECT_TRUE(winpath::SameFile("C:/D/3/a.gpd", "C:\\D\\3\\A.GPD"));
  EXPECT_TRUE(winpath::SameFile("vorlog.dll.", "VORLOG.DLL"));
  EXPECT_FALSE(winpath::SameFile("C:\\D\\3\\a.dll", "C:\\D\\2\\a.dll"));
  EXPECT_FALSE(winpath::SameFile("a.dll", "C:\\D\\a.dll"));  // a bare name is not a full path
  EXPECT_FALSE(winpath::SameFile("a .dll", "a.dll"));       // only trailing blanks fall off
  EXPECT_EQ(winpath::ComparisonKey("C:\\Dir\\Datei\xc3\xa4.dll."), "C:\\DIR\\DATEI\xc3\x84.DLL");
}

TEST(WinPath, PlainRelativePathsStayInTheFolderTheyAreJoinedTo) {
  for (const char* name : {"A.HLP", "sub\\B.GID", "sub/C.PPD", "a..b.txt", "...hidden.txt", "x.", "deep\\er\\f.dll"})
    EXPECT_TRUE(winpath::IsContainedRelativePath(name)) << name;
}

TEST(WinPath, RelativePathsThatLeaveTheFolderOrNameNoFileAreRefused) {
  for (const char* name :
       {"", "..", "..\\win.ini", "../win.ini", "sub\\..\\..\\x.dll", "sub/../x.dll", "sub\\..", ".\\x.dll",
        "...\\x.dll", ". .\\x.dll", ".. \\x.dll", "C:\\WINDOWS\\win.ini", "C:win.ini", "c:/boot.ini",
        "\\WINDOWS\\win.ini", "/etc/x", "\\\\server\\share\\x.dll", "\\\\?\\C:\\x.dll", "file.txt:stream",
        "tab\there.txt", "line\nbreak"})
    EXPECT_FALSE(winpath::IsContainedRelativePath(name)) << name;
}

}  // namespace
