#include <gtest/gtest.h>

#include <string>

#include "system/reboot_batch.h"

namespace {
TEST(RebootBatch, EachDirectoryGoesBeforeASingleSelfDeleteAtTheEnd) {
  std::string batch = RebootBatchLines("C:\\A");
  batch = AppendToRebootBatch(batch, "C:\\B");
  batch = AppendToRebootBatch(batch, "C:\\C");
  EXPECT_EQ(batch, "rmdir \"C:\\A\"\r\nrmdir \"C:\\B\"\r\nrmdir \"C:\\C\"\r\ndel \"c:\\unsttmp0.bat\"\r\n");
}

TEST(RebootBatch, DropsSelfDeletesInAnyCaseAndKeepsOtherLinesWhole) {
  const std::string longLine = "rmdir \"C:\\" + std::string(300, 'L') + "\"";
  const std::string batch = "@echo off\n" + longLine + "\nDEL C:\\UNSTTMP0.BAT\nrem last line without end";
  EXPECT_EQ(AppendToRebootBatch(batch, "C:\\D"), "@echo off\r\n" + longLine +
                                                     "\r\nrem last line without end\r\nrmdir \"C:\\D\"\r\ndel "
                                                     "\"c:\\unsttmp0.bat\"\r\n");
}
}  // namespace
