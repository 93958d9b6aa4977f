// Commands, the shell's deletion, temporary files, the schedulers and the
// bidi library on the simulated machine, as the image drives them.
#include "platform/file_system.h"
#include "platform/services.h"
#include "platform/win_errors.h"
#include "sim_test_util.h"

using simtest::Events;
using simtest::Load;

namespace {

bool Exists(sim::Machine& m, const std::string& path) {
  std::uint32_t attributes = 0;
  return m.platform().files.GetAttributes(path, &attributes).ok();
}

const char* kProductKey = "HKLM\\Software\\Vorkast\\Kestrion for Intranets";
const char* kUninstaller = "\"C:\\Kestrion\\UninstallerData\\Uninstall Kestrion.exe\" -i silent";

std::string ProductImage(const std::string& uninstallerEffects) {
  return R"({"registry": {"HKLM\\Software\\Vorkast\\Kestrion for Intranets": {"values": {"Install_Dir": "C:\\Kestrion"}}},
             "commands": [{"match": "*\\UNINSTALLERDATA\\Uninstall Kestrion.exe*", "effects": )" +
         uninstallerEffects + "}]}";
}

TEST(Commands, TheProductUninstallerClearsInstallDirOrLeavesItWhenCancelled) {
  auto clears = Load(ProductImage(R"([{"deleteValue": "HKLM\\Software\\Vorkast\\Kestrion for Intranets",
                                       "name": "install_dir"}])"));
  ASSERT_EQ(clears->platform().processes.RunCommand(kUninstaller, true), winerr::Success);
  EXPECT_FALSE(clears->Value(kProductKey, "Install_Dir"));
  EXPECT_TRUE(clears->KeyExists(kProductKey));

  auto cancelled = Load(ProductImage("[]"));
  ASSERT_EQ(cancelled->platform().processes.RunCommand(kUninstaller, true), winerr::Success);
  EXPECT_TRUE(cancelled->Value(kProductKey, "Install_Dir"));
}

TEST(Commands, EveryCommandLineIsJournalledAndAnUnknownOneChangesNothing) {
  auto m = Load(ProductImage(R"([{"deleteKey": "HKLM\\Software\\Vorkast"}])"));
  const nlohmann::json before = m->Save();
  ASSERT_EQ(m->platform().processes.RunCommand("ovaction.exe -unregister", false), winerr::Success);
  nlohmann::json after = m->Save();
  after["journal"] = before["journal"];
  EXPECT_EQ(after, before);
  const auto runs = Events(*m, "commandRun");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0]["commandLine"], "ovaction.exe -unregister");
  EXPECT_EQ(runs[0]["wait"], false);
}

TEST(Commands, AProgramThatFailsToStartIsJournalledWithItsErrorAndChangesNothing) {
  auto m = Load(R"({"registry": {"HKLM\\Software\\A": {}},
                    "commands": [{"match": "regsvr32*", "start": "fails"},
                                 {"match": "*", "effects": [{"deleteKey": "HKLM\\Software\\A"}]}]})");
  EXPECT_EQ(m->platform().processes.RunCommand("REGSVR32 /u /s x.dll", true), winerr::FileNotFound);
  EXPECT_TRUE(m->KeyExists("HKLM\\Software\\A"));
  EXPECT_EQ(Events(*m, "commandRun").at(0)["error"], "ERROR_FILE_NOT_FOUND");
  // The first matching entry decides: the catch-all after it runs for other lines.
  EXPECT_EQ(m->platform().processes.RunCommand("other.exe", true), winerr::Success);
  EXPECT_FALSE(m->KeyExists("HKLM\\Software\\A"));
}

TEST(Commands, EffectsChangeRegistryFilesAndServicesAsAProgramCould) {
  auto m = Load(R"({
    "files": {"C:\\K\\a.txt": {"attributes": "READONLY"}, "C:\\K\\held\\b.dll": {"lockedBy": "vorbces"},
              "C:\\K\\z\\c.txt": {}, "C:\\K\\lock\\d.dll": {"locked": true}},
    "registry": {"HKCU\\Software\\Vorkast\\Sub": {"values": {"x": 1}}},
    "services": {"vorbces": {"state": "running"}},
    "commands": [{"match": "tool.exe", "effects": [
        {"stopService": "vorbces"},
        {"deleteFile": "C:\\K"},
        {"createFile": "C:\\New\\Dir\\out.log", "content": "done"},
        {"setValue": "HKLM\\Software\\Vorkast\\Done", "name": "Ok", "value": 1},
        {"deleteKey": "HKCU\\Software\\Vorkast"}]}]})");
  ASSERT_EQ(m->platform().processes.RunCommand("tool.exe", true), winerr::Success);
  EXPECT_EQ(m->ServiceState("vorbces"), plat::svc::Stopped);
  // The service let go of its file, so it went; a file held for good stays with its folders.
  for (const char* gone : {"C:\\K\\a.txt", "C:\\K\\held", "C:\\K\\z"}) EXPECT_FALSE(Exists(*m, gone)) << gone;
  EXPECT_TRUE(Exists(*m, "C:\\K\\lock\\d.dll"));
  std::string content;
  ASSERT_EQ(m->platform().files.ReadText("C:\\New\\Dir\\out.log", &content), winerr::Success);
  EXPECT_EQ(content, "done");
  EXPECT_EQ(m->Value("HKLM\\Software\\Vorkast\\Done", "Ok"), plat::RegValue::Dword(1));
  EXPECT_FALSE(m->KeyExists("HKCU\\Software\\Vorkast"));
  EXPECT_TRUE(m->KeyExists("HKCU\\Software"));
}

TEST(SearchPath, FindsAFileWhereSearchPathLooksInItsOrder) {
  struct Case {
    const char* files;
    const char* expected;  // empty: not found
  };
  const Case cases[] = {
      {R"("C:\\Work\\t.exe": {}, "C:\\WINDOWS\\system32\\t.exe": {})", "C:\\Work\\t.exe"},
      {R"("C:\\WINDOWS\\system32\\t.exe": {}, "C:\\WINDOWS\\t.exe": {})", "C:\\WINDOWS\\System32\\t.exe"},
      {R"("C:\\WINDOWS\\t.exe": {}, "C:\\Tools\\t.exe": {})", "C:\\WINDOWS\\t.exe"},
      {R"("C:\\Tools\\t.exe": {})", "C:\\Tools\\t.exe"},
      {R"("C:\\Program Files\\BREVIK\\Install\\t.exe": {}, "C:\\Work\\t.exe": {})",
       "C:\\Program Files\\BREVIK\\Install\\t.exe"},
      {R"("C:\\Elsewhere\\t.exe": {})", ""},
      {R"("C:\\Work\\t.exe": {"attributes": "DIRECTORY"})", ""},
  };
  for (const Case& c : cases) {
    auto m = Load(std::string(R"({"files": {"C:\\Work": {"attributes": "DIRECTORY"}, )") + c.files +
                  R"(}, "directories": {"current": "C:\\Work", "path": ["C:\\Tools"]}})");
    std::string found;
    const plat::WinError e = m->platform().processes.FindOnSearchPath("t.exe", &found);
    EXPECT_EQ(e, *c.expected ? winerr::Success : winerr::FileNotFound) << c.files;
    EXPECT_EQ(found, c.expected) << c.files;
  }
}

const char* kTree = R"({
  "files": {"D:\\BREVIK\\Kestrion\\a.txt": {"attributes": "READONLY"},
            "D:\\BREVIK\\Kestrion\\m\\held.dll": {"locked": true},
            "D:\\BREVIK\\Kestrion\\z.txt": {},
            "D:\\BREVIK\\Other.txt": {}},
  "directories": {"current": "D:\\BREVIK"}})";

TEST(ShellDelete, DeletesAFolderWithEverythingInItFromTheCurrentDrive) {
  auto free = Load(R"({"files": {"D:\\BREVIK\\Kestrion\\a.txt": {"attributes": "READONLY"},
                                 "D:\\BREVIK\\Kestrion\\m\\n.dll": {}, "D:\\BREVIK\\Other.txt": {}},
                       "directories": {"current": "D:\\BREVIK"}})");
  EXPECT_EQ(free->platform().desktop.ShellDelete("\\BREVIK\\Kestrion"), winerr::Success);
  EXPECT_FALSE(Exists(*free, "D:\\BREVIK\\Kestrion"));
  EXPECT_TRUE(Exists(*free, "D:\\BREVIK\\Other.txt"));
  EXPECT_EQ(Events(*free, "shellDelete").at(0)["path"], "D:\\BREVIK\\Kestrion");
  EXPECT_EQ(Events(*free, "fileDeleted").size(), 2u);
}

TEST(ShellDelete, AMissingPathGivesTheShellsCodeAndAHeldFileStopsTheDeletionWhereItIs) {
  auto m = Load(kTree);
  EXPECT_EQ(m->platform().desktop.ShellDelete("D:\\BREVIK\\Missing"), winerr::FileNotFound);
  EXPECT_EQ(m->platform().desktop.ShellDelete("D:\\BREVIK\\Kestrion"), winerr::SharingViolation);
  EXPECT_FALSE(Exists(*m, "D:\\BREVIK\\Kestrion\\a.txt"));  // before the held file in name order
  EXPECT_TRUE(Exists(*m, "D:\\BREVIK\\Kestrion\\m\\held.dll"));
  EXPECT_TRUE(Exists(*m, "D:\\BREVIK\\Kestrion\\z.txt"));  // after it
  EXPECT_TRUE(Exists(*m, "D:\\BREVIK\\Other.txt"));
}

TEST(ShellDelete, AWildcardDeletesEveryMatchAndADriveIsNeverDeleted) {
  auto m = Load(kTree);
  EXPECT_EQ(m->platform().desktop.ShellDelete("D:\\BREVIK\\*.txt"), winerr::Success);
  EXPECT_FALSE(Exists(*m, "D:\\BREVIK\\Other.txt"));
  EXPECT_TRUE(Exists(*m, "D:\\BREVIK\\Kestrion\\a.txt"));
  EXPECT_EQ(m->platform().desktop.ShellDelete("D:\\"), winerr::AccessDenied);
  EXPECT_TRUE(Exists(*m, "D:\\BREVIK\\Kestrion\\z.txt"));
}

TEST(Windows, FindWindowComparesClassAndTitleWithoutCaseAndEmptyMeansAny) {
  auto m = Load(R"({"windows": [{"id": 1, "title": "Agent", "className": "SAGEWINDOWCLASS"},
                                {"id": 2, "title": "Untitled"}]})");
  auto& desk = m->platform().desktop;
  EXPECT_TRUE(desk.HasTopLevelWindow("sagewindowclass", "AGENT"));
  EXPECT_TRUE(desk.HasTopLevelWindow("SAGEWINDOWCLASS", ""));
  EXPECT_TRUE(desk.HasTopLevelWindow("", "untitled"));
  EXPECT_FALSE(desk.HasTopLevelWindow("SAGEWINDOWCLASS", "Untitled"));
  EXPECT_FALSE(desk.HasTopLevelWindow("Other", ""));
}

TEST(TempFiles, NamesTakeThreeCharactersOfThePrefixAndTheFirstFreeNumber) {
  auto m = Load(R"({"files": {"C:\\T\\vor1.TMP": {}}})");
  std::string first, second;
  ASSERT_EQ(m->platform().files.CreateTempFile("C:\\T", "vorlog", &first), winerr::Success);
  ASSERT_EQ(m->platform().files.CreateTempFile("C:\\T", "vorlog", &second), winerr::Success);
  EXPECT_EQ(first, "C:\\T\\vor2.TMP");
  EXPECT_EQ(second, "C:\\T\\vor3.TMP");
  std::string content = "x";
  ASSERT_EQ(m->platform().files.ReadText(first, &content), winerr::Success);
  EXPECT_EQ(content, "");
  std::string none = "x";
  EXPECT_EQ(m->platform().files.CreateTempFile("C:\\Missing", "a", &none), winerr::PathNotFound);
  EXPECT_EQ(none, "");
}

TEST(JobScheduler, ListsAndDeletesJobsOnNtOnly) {
  const std::string jobs = R"("scheduledJobs": [{"id": 3, "command": "poll.exe"}, {"id": 9, "command": "x.exe"}])";
  auto m = Load("{" + jobs + "}");
  auto& at = m->platform().jobScheduler;
  std::vector<plat::ScheduledJob> listed;
  ASSERT_EQ(at.EnumJobs(&listed), winerr::Success);
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].command, "poll.exe");
  EXPECT_EQ(at.DeleteJob(3), winerr::Success);
  EXPECT_EQ(at.DeleteJob(3), plat::WinError{3806});
  ASSERT_EQ(at.EnumJobs(&listed), winerr::Success);
  EXPECT_EQ(listed.size(), 1u);
  EXPECT_EQ(Events(*m, "scheduledJobDeleted").at(0)["command"], "poll.exe");

  auto old = Load(R"({"os": "win98", )" + jobs + "}");
  EXPECT_EQ(old->platform().jobScheduler.EnumJobs(&listed), winerr::ProcNotFound);
  EXPECT_EQ(old->platform().jobScheduler.DeleteJob(9), winerr::ProcNotFound);

  auto user = Load(R"({"token": {"user": "S-1-5-21-1-2-3-1000", "process": ["S-1-5-32-545"]}, )" + jobs + "}");
  EXPECT_EQ(user->platform().jobScheduler.DeleteJob(9), winerr::AccessDenied);
}

TEST(TaskScheduler, DeletesATaskByNameWithoutCaseWhenTheSchedulerIsThere) {
  auto m = Load(R"({"scheduledTasks": {"tasks": ["Kestrion Update"]}})");
  EXPECT_EQ(m->platform().taskScheduler.DeleteTask("kestrion update"), plat::TaskDeletion::Deleted);
  EXPECT_EQ(m->platform().taskScheduler.DeleteTask("Kestrion Update"), plat::TaskDeletion::DeleteFailed);
  EXPECT_EQ(Events(*m, "taskDeleted").at(0)["name"], "Kestrion Update");
  auto absent = Load(R"({"scheduledTasks": {"available": false, "tasks": ["Kestrion Update"]}})");
  EXPECT_EQ(absent->platform().taskScheduler.DeleteTask("Kestrion Update"), plat::TaskDeletion::SchedulerUnavailable);
}

TEST(BidiLibrary, CallsTheExportsItHasAndGivesTheImagesAnswer) {
  auto m = Load(R"({"files": {"C:\\B\\vorbce.dll": {}, "C:\\B\\half.dll": {}, "C:\\B\\unlisted.dll": {}},
                    "libraries": {"C:\\B\\vorbce.dll": {"exports": ["BceRegisterApp", "BceUninstallLCS",
                                                                    "BceUnregisterApp"], "uninstallStatus": 7},
                                  "C:\\B\\half.dll": {"exports": ["BceRegisterApp"], "uninstallStatus": 7}}})");
  auto& bidi = m->platform().bidiLibrary;
  std::int32_t status = -1;
  ASSERT_EQ(bidi.Uninstall("C:\\B\\vorbce.dll", &status), winerr::Success);
  EXPECT_EQ(status, 7);
  const auto calls = Events(*m, "libraryCall");
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[1]["procedure"], "BceUninstallLCS");
  ASSERT_EQ(bidi.Uninstall("C:\\B\\half.dll", &status), winerr::Success);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(bidi.Uninstall("C:\\B\\unlisted.dll", &status), winerr::ModNotFound);
  EXPECT_EQ(bidi.Uninstall("C:\\B\\missing.dll", &status), winerr::ModNotFound);
}

TEST(NewCalls, FaultsReachEveryOneOfThem) {
  auto m = Load(R"({"files": {"C:\\T": {"attributes": "DIRECTORY"}},
                    "windows": [{"id": 1, "title": "Agent", "className": "C"}],
                    "scheduledTasks": {"tasks": ["T"]},
                    "faults": [{"call": "Processes.*", "error": "ERROR_ACCESS_DENIED"},
                               {"call": "Desktop.*", "error": "ERROR_ACCESS_DENIED"},
                               {"call": "FileSystem.CreateTempFile", "error": "ERROR_ACCESS_DENIED"},
                               {"call": "*Scheduler.*", "error": "ERROR_ACCESS_DENIED"},
                               {"call": "BidiLibrary.*", "error": "ERROR_ACCESS_DENIED"}]})");
  auto& p = m->platform();
  std::string out;
  std::vector<plat::ScheduledJob> jobs;
  std::int32_t status = 0;
  EXPECT_EQ(p.processes.RunCommand("x", true), winerr::AccessDenied);
  EXPECT_EQ(p.processes.FindOnSearchPath("x", &out), winerr::AccessDenied);
  EXPECT_EQ(p.desktop.ShellDelete("C:\\T"), winerr::AccessDenied);
  EXPECT_FALSE(p.desktop.HasTopLevelWindow("C", "Agent"));
  EXPECT_EQ(p.files.CreateTempFile("C:\\T", "a", &out), winerr::AccessDenied);
  EXPECT_EQ(p.jobScheduler.EnumJobs(&jobs), winerr::AccessDenied);
  EXPECT_EQ(p.jobScheduler.DeleteJob(1), winerr::AccessDenied);
  EXPECT_EQ(p.taskScheduler.DeleteTask("T"), plat::TaskDeletion::DeleteFailed);
  EXPECT_EQ(p.bidiLibrary.Uninstall("C:\\x.dll", &status), winerr::AccessDenied);
  EXPECT_TRUE(Exists(*m, "C:\\T"));
  EXPECT_TRUE(Events(*m, "commandRun").empty());
}

}  // namespace
