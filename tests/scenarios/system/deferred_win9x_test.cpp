#include <string>
#include <vector>

#include "machine_image.h"
#include "system/deferred_deleter.h"

namespace {
using Lines = std::vector<std::string>;

const char kRunOnce[] = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::unique_ptr<sim::Machine> Win98With(std::string_view files, std::string_view faults = "[]") {
  return LoadMachine(std::string(R"({"os": "win98", "files": {)") + std::string(files) + R"(}, "faults": )" +
                     std::string(faults) + "}");
}

DeferredDeleter DeleterOf(sim::Machine& m) {
  auto& p = m.platform();
  return DeferredDeleter(p.files, p.registry, p.spooler);
}

std::string FileText(sim::Machine& m, std::string_view path) {
  std::string text;
  EXPECT_EQ(m.platform().files.ReadText(path, &text), winerr::Success) << path;
  return text;
}

TEST(ScheduleOnReboot9x, ListsALockedFileOnceByItsShortPath) {
  auto m = Win98With(R"("C:\\Program Files\\BREVIK\\Status Monitor.exe": {"locked": true})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  std::string shortPath;
  ASSERT_EQ(m->platform().files.ShortPath("C:\\Program Files\\BREVIK\\Status Monitor.exe", &shortPath), winerr::Success);
  // The file is still there, so the deletion reports false, but a restart is due.
  EXPECT_FALSE(d.DeleteFileOrDefer("C:\\Program Files\\BREVIK\\Status Monitor.exe"));
  EXPECT_FALSE(d.DeleteFileOrDefer("c:\\program files\\brevik\\status monitor.exe"));
  EXPECT_TRUE(d.rebootNeeded);
  EXPECT_EQ(d.RenameEntries(), Lines{"NUL=" + shortPath});

  // A move names its destination first, as given when it does not exist yet.
  EXPECT_FALSE(d.ScheduleOnReboot("C:\\Program Files\\BREVIK\\Status Monitor.exe", "C:\\NEW.EXE"));
  EXPECT_EQ(d.RenameEntries().back(), "C:\\NEW.EXE=" + shortPath);
  EXPECT_FALSE(d.ScheduleOnReboot("", ""));
}

TEST(ScheduleOnReboot9x, LeavesOutPathsTooLongForWinInit) {
  // Already 8.3 at every level, so its short form is just as long.
  std::string deep = "C:";
  for (int i = 0; i < 30; ++i) deep += "\\ABCDEFGH";
  deep += "\\X.DLL";
  auto m = Win98With(nlohmann::json(deep).dump() + R"(: {"locked": true})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  // A cut path would name another file; nothing is listed and no restart is due.
  EXPECT_FALSE(d.DeleteFileOrDefer(deep));
  EXPECT_TRUE(d.RenameEntries().empty());
  EXPECT_FALSE(d.rebootNeeded);
}

TEST(FlushRenameEntries, MergesIntoTheRenameSectionBetweenTheOthers) {
  auto m = Win98With(R"("C:\\HELD.DLL": {"locked": true},
      "C:\\WINDOWS\\WinInit.INI": {"content": "[X]\r\nx=1\r\n[Rename]\r\nNUL=C:\\OLD.DLL\r\n[Y]\r\ny=2\r\n"})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  EXPECT_FALSE(d.DeleteFileOrDefer("C:\\HELD.DLL"));  // listed for WinInit.INI: still there now
  d.FlushRenameEntries();
  EXPECT_EQ(FileText(*m, "C:\\WINDOWS\\WININIT.INI"),
            "[X]\r\nx=1\r\n[Rename]\r\nNUL=C:\\HELD.DLL\r\nNUL=C:\\OLD.DLL\r\n[Y]\r\ny=2\r\n");
  EXPECT_TRUE(d.RenameEntries().empty());
}

TEST(FlushRenameEntries, CreatesAMissingFileAndAppendsAMissingSection) {
  auto m = Win98With(R"("C:\\HELD.DLL": {"locked": true}, "C:\\OTHER\\WinInit.INI": {"content": "[X]\nx=1"})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  d.FlushRenameEntries();  // nothing waiting: no file is written
  EXPECT_FALSE(m->platform().files.Exists("C:\\WINDOWS\\WinInit.INI"));
  EXPECT_FALSE(d.DeleteFileOrDefer("C:\\HELD.DLL"));  // listed for WinInit.INI: still there now
  d.FlushRenameEntries();
  EXPECT_EQ(FileText(*m, "C:\\WINDOWS\\WinInit.INI"), "[Rename]\r\nNUL=C:\\HELD.DLL\r\n");
}

TEST(FlushRenameEntries, KeepsTheEntriesWhenTheFileCannotBeReadOrWritten) {
  auto m = Win98With(
      R"("C:\\WINDOWS\\WinInit.INI": {"content": "[X]\r\nkeep=me\r\n"}, "C:\\HELD.DLL": {"locked": true})",
      R"([{"call": "FileSystem.ReadText", "match": "*WinInit.INI", "error": "ERROR_SHARING_VIOLATION", "count": 1},
          {"call": "FileSystem.WriteText", "match": "*WinInit.INI", "error": "ERROR_ACCESS_DENIED", "count": 1}])");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  EXPECT_FALSE(d.DeleteFileOrDefer("C:\\HELD.DLL"));  // listed for WinInit.INI: still there now
  d.FlushRenameEntries();  // unreadable: another program's renames must survive
  d.FlushRenameEntries();  // unwritable
  EXPECT_EQ(d.RenameEntries(), Lines{"NUL=C:\\HELD.DLL"});
  EXPECT_EQ(FileText(*m, "C:\\WINDOWS\\WinInit.INI"), "[X]\r\nkeep=me\r\n");
  d.FlushRenameEntries();
  EXPECT_EQ(FileText(*m, "C:\\WINDOWS\\WinInit.INI"), "[X]\r\nkeep=me\r\n[Rename]\r\nNUL=C:\\HELD.DLL\r\n");
}

TEST(ScheduleOnReboot9x, DirectoriesGoToOneSelfDeletingBatchStartedOnce) {
  auto m = Win98With(R"("C:\\Maker\\One\\held.dll": {"locked": true}, "C:\\Maker\\Two\\held.dll": {"locked": true})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  d.RemoveDirOrDefer("C:\\Maker\\One");
  EXPECT_TRUE(d.rebootNeeded);
  const auto runOnce = m->Value(kRunOnce, "VorTmpDelBat");
  ASSERT_TRUE(runOnce);
  const std::string command = "C:\\WINDOWS\\command.com /C c:\\unsttmp0.bat";
  EXPECT_EQ(runOnce->type, plat::RegType::Sz);
  EXPECT_EQ(std::string(runOnce->data.begin(), runOnce->data.end()), command);  // no terminating zero

  // The second directory must not start the batch a second time.
  plat::HKey key = plat::kNoHandle;
  auto& reg = m->platform().registry;
  ASSERT_EQ(reg.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                        plat::keyaccess::AllAccess, &key), winerr::Success);
  ASSERT_EQ(reg.DeleteValue(key, "VorTmpDelBat"), winerr::Success);
  reg.Close(key);
  EXPECT_TRUE(d.ScheduleOnReboot("C:\\Maker\\Two", ""));
  EXPECT_FALSE(m->Value(kRunOnce, "VorTmpDelBat"));
  EXPECT_EQ(FileText(*m, "c:\\unsttmp0.bat"),
            "rmdir \"C:\\Maker\\One\"\r\nrmdir \"C:\\Maker\\Two\"\r\ndel \"c:\\unsttmp0.bat\"\r\n");
  EXPECT_FALSE(m->platform().files.Exists("c:\\unsttmp1.bat"));
  EXPECT_TRUE(d.RenameEntries().empty());
}

TEST(ScheduleOnReboot9x, APercentSignInADirectoryNameReachesTheBatchLiterally) {
  // command.com reads "%...%" in a batch line as a variable; "%%" is one "%".
  auto m = Win98With(R"("C:\\Maker\\100% Tools\\held.dll": {"locked": true},
                        "C:\\Maker\\%windir%\\held.dll": {"locked": true})");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  EXPECT_TRUE(d.ScheduleOnReboot("C:\\Maker\\100% Tools", ""));
  EXPECT_TRUE(d.ScheduleOnReboot("C:\\Maker\\%windir%", ""));
  EXPECT_EQ(FileText(*m, "c:\\unsttmp0.bat"),
            "rmdir \"C:\\Maker\\100%% Tools\"\r\nrmdir \"C:\\Maker\\%%windir%%\"\r\ndel \"c:\\unsttmp0.bat\"\r\n");
}

TEST(ScheduleOnReboot9x, AFailedBatchSchedulesNothing) {
  auto m = Win98With(R"("C:\\Maker\\One\\held.dll": {"locked": true})",
                     R"([{"call": "FileSystem.WriteText", "match": "c:\\unsttmp*", "error": "ERROR_ACCESS_DENIED"}])");
  ASSERT_TRUE(m);
  auto d = DeleterOf(*m);
  EXPECT_FALSE(d.ScheduleOnReboot("C:\\Maker\\One", ""));
  EXPECT_FALSE(d.rebootNeeded);
  EXPECT_FALSE(m->Value(kRunOnce, "VorTmpDelBat"));
}
}  // namespace
