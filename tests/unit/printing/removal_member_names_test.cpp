// Names read from an archive's member list, and the maker's shared files.
#include <gtest/gtest.h>

#include "printing/driver_files.h"

namespace {

TEST(ArchiveMemberNames, PlainRelativeNamesStayInTheArchivesFolder) {
  for (const char* name : {"A.HLP", "sub\\B.GID", "sub/C.PPD", "a..b.txt", "...hidden.txt", "x.", "deep\\er\\f.dll"})
    EXPECT_TRUE(IsContainedMemberName(name)) << name;
}

TEST(ArchiveMemberNames, NamesThatLeaveTheFolderOrNameNoFileAreRefused) {
  for (const char* name :
       {"", "..", "..\\win.ini", "../win.ini", "sub\\..\\..\\x.dll", "sub/../x.dll", "sub\\..", ".\\x.dll",
        "...\\x.dll", ". .\\x.dll", ".. \\x.dll", "C:\\WINDOWS\\win.ini", "C:win.ini", "c:/boot.ini",
        "\\WINDOWS\\win.ini", "/etc/x", "\\\\server\\share\\x.dll", "\\\\?\\C:\\x.dll", "file.txt:stream",
        "tab\there.txt", "line\nbreak"})
    EXPECT_FALSE(IsContainedMemberName(name)) << name;
}

TEST(SharedFiles, TheFourSharedFilesMatchAsWindowsReadsNamesAndNothingElse) {
  // Windows opens "VORLOG.DLL " and "vorlog.dll." as VORLOG.DLL.
  for (const char* name : {"VORCFI.DLL", "vorcfi16.dll", "VorLog.dll", "VORLOGSERVER.EXE", "VORLOG.DLL ", "vorlog.dll."})
    EXPECT_TRUE(IsSharedFile(name)) << name;
  for (const char* name : {"VORLOG.DL", " VORLOG.DLL", "sub\\VORLOG.DLL", "VORLOGSERVER", "vkres.dll", ""})
    EXPECT_FALSE(IsSharedFile(name)) << name;
}

}  // namespace
