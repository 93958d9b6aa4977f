// The maker's shared files, as Windows reads their names.
#include <gtest/gtest.h>

#include "printing/driver_files.h"

namespace {

TEST(SharedFiles, TheFourSharedFilesMatchAsWindowsReadsNamesAndNothingElse) {
  // Windows opens "VORLOG.DLL " and "vorlog.dll." as VORLOG.DLL.
  for (const char* name : {"VORCFI.DLL", "vorcfi16.dll", "VorLog.dll", "VORLOGSERVER.EXE", "VORLOG.DLL ", "vorlog.dll."})
    EXPECT_TRUE(IsSharedFile(name)) << name;
  for (const char* name : {"VORLOG.DL", " VORLOG.DLL", "sub\\VORLOG.DLL", "VORLOGSERVER", "vkres.dll", ""})
    EXPECT_FALSE(IsSharedFile(name)) << name;
}

}  // namespace
