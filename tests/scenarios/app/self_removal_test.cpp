// The uninstaller removes itself when nothing of the maker's is left: through
// a batch file that waits for it to exit, or, when a restart is due or the
// batch cannot start, by scheduling its files for the restart.
#include "run_harness.h"

namespace run_test {
namespace {

const char kBatch[] = "C:\\WINDOWS\\TEMP\\vortmp.bat";

std::string FileText(const sim::Machine& machine, const std::string& path) {
  const json files = machine.Save()["files"];
  for (auto it = files.begin(); it != files.end(); ++it) {
    if (text::IEquals(it.key(), path)) return it.value().value("content", "");
  }
  return "<missing>";
}

TEST(SelfRemoval, WithNothingLeftABatchDeletesTheProgramAndItsTwoDirectoriesOnceItHasExited) {
  json image = Image("winxp");
  SetAnswers(image, {Dialog("completion", "IDOK")});
  RemovalRun run(image);

  run.app->RunInteractive(false);

  EXPECT_TRUE(run.app->selfRemove);
  EXPECT_EQ(FileText(*run.machine, kBatch),
            ":Repeat\r\n"
            "del \"C:\\Program Files\\BREVIK\\Install\\drvpurge.exe\"\r\n"
            "if exist \"C:\\Program Files\\BREVIK\\Install\\drvpurge.exe\" goto Repeat\r\n"
            "rmdir \"C:\\Program Files\\BREVIK\\Install\"\r\n"
            "rmdir \"C:\\Program Files\\BREVIK\"\r\n"
            "del %0.bat\r\n");
  const auto started = run.Events("processStarted");
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0]["commandLine"], kBatch);
  EXPECT_EQ(started[0]["directory"], "C:\\WINDOWS\\TEMP\\");
  EXPECT_EQ(started[0]["window"], "hidden");
  EXPECT_EQ(started[0]["priority"], "idle");
  // The batch does the deleting; nothing waits for a restart.
  EXPECT_TRUE(run.Events("moveOnReboot").empty());
  const auto completion = run.Events("completion");
  ASSERT_EQ(completion.size(), 1u);
  EXPECT_EQ(completion[0]["rebootNeeded"], false);
  EXPECT_FALSE(completion[0].contains("failures"));
  run.ExpectNoScriptErrors();
}

TEST(SelfRemoval, AProgramTheLogDoesNotListIsNotNamedForRemoval) {
  json image = Image("winxp");
  image["installLog"]["components"]["UninstallerBREVIK"]["files"] = json::array({"C:\\Other\\drvpurge.exe"});
  RemovalRun run(image);

  run.app->RunSilent();

  EXPECT_EQ(run.app->uninstallerPath, "");
  EXPECT_TRUE(run.Events("processStarted").empty());
  EXPECT_EQ(FileText(*run.machine, kBatch), "<missing>");
  EXPECT_NE(FileText(*run.machine, kProgram), "<missing>");
}

TEST(SelfRemoval, AVersionsIniBesideTheInstallDirectoryKeepsTheUninstaller) {
  json image = Image("winxp");
  image["files"][kVersionsIni] = json::object();
  RemovalRun run(image);

  run.app->RunSilent();

  EXPECT_FALSE(run.app->selfRemove);
  EXPECT_TRUE(run.Events("processStarted").empty());
  EXPECT_TRUE(run.Events("fileWritten").empty());
  EXPECT_TRUE(run.Events("moveOnReboot").empty());
}

TEST(SelfRemoval, WhenARestartIsDueOrTheBatchCannotStartTheFilesAreScheduledForTheRestart) {
  struct Case {
    const char* name;
    bool restartDue;
    bool batchFails;
  };
  for (const Case& c : {Case{"restart due", true, false}, Case{"batch fails", false, true}}) {
    SCOPED_TRACE(c.name);
    json image = Image("winxp");
    image["files"][kProgram] = {{"locked", true}};  // it is running
    image["files"]["C:\\Data\\held.dll"] = {{"locked", true}};
    if (c.batchFails) {
      image["faults"] = {{{"call", "Processes.StartDetached"}, {"error", "ERROR_FILE_NOT_FOUND"}}};
    }
    RemovalRun run(image);
    if (c.restartDue) {
      ASSERT_TRUE(run.app->deleter.DeleteFileOrDefer("C:\\Data\\held.dll"));
    }

    run.app->RunSilent();

    std::vector<std::string> scheduled = run.Paths("moveOnReboot", "source");
    if (c.restartDue) {
      ASSERT_FALSE(scheduled.empty());
      EXPECT_EQ(scheduled.front(), "C:\\Data\\held.dll");
      scheduled.erase(scheduled.begin());
      EXPECT_TRUE(run.Events("fileWritten").empty()) << "no batch when a restart is due";
    } else {
      EXPECT_EQ(run.Events("fileWritten").size(), 1u) << "the batch stays written";
    }
    EXPECT_EQ(scheduled, (std::vector<std::string>{kProgram, kInstallDir, "C:\\Program Files\\BREVIK"}));
    EXPECT_TRUE(run.Events("processStarted").empty());
    EXPECT_TRUE(run.app->deleter.rebootNeeded);
  }
}

// An installer that logs its whole directory: the running program in it
// cannot go before the process ends, and is no reason for a restart.
TEST(SelfRemoval, ALoggedDirectoryHoldingTheRunningProgramLeavesItToTheBatchWithoutARestart) {
  const std::string readme = std::string(kInstallDir) + "\\readme.txt";
  struct Case {
    const char* name;
    bool versionsIni;  // another product still uses the uninstaller
    const char* loggedDir;
    const char* startedAs = kProgram;
  };
  // As a 9x uninstall entry often names it; the log has the long names.
  const char* const shortName = "C:\\PROGRA~1\\BREVIK\\Install\\DRVPUR~1.EXE";
  for (const Case& c : {Case{"last product", false, kInstallDir},
                        Case{"another product left", true, kInstallDir},
                        Case{"logged in another case, from above", false, "c:\\program files\\brevik"},
                        Case{"started by its short name", false, kInstallDir, shortName},
                        Case{"started by its short name, another product left", true, kInstallDir, shortName}}) {
    SCOPED_TRACE(c.name);
    json image = Image("winxp");
    image["program"] = c.startedAs;
    image["files"]["C:\\Program Files"] = {{"attributes", "DIRECTORY"}, {"shortName", "PROGRA~1"}};
    image["services"] = {{"spooler", {{"state", "running"}}}};
    image["files"][kProgram] = {{"locked", true}, {"shortName", "DRVPUR~1.EXE"}};  // it is running
    image["files"][readme] = json::object();
    if (c.versionsIni) image["files"][kVersionsIni] = json::object();
    image["installLog"]["components"]["UninstallerBREVIK"]["directories"] = json::array({c.loggedDir});
    SetAnswers(image, {Dialog("completion", "IDOK")});
    RemovalRun run(image);

    run.app->RunInteractive(false);

    const auto deleted = run.Paths("fileDeleted");
    ASSERT_EQ(deleted.size(), 1u);
    EXPECT_TRUE(text::IEquals(deleted[0], readme)) << deleted[0];
    EXPECT_TRUE(run.Paths("moveOnReboot", "source").empty());
    EXPECT_TRUE(run.Events("serviceStopped").empty()) << "nothing locked to free";
    const auto completion = run.Events("completion");
    ASSERT_EQ(completion.size(), 1u);
    EXPECT_EQ(completion[0]["rebootNeeded"], false);
    EXPECT_EQ(run.Paths("processStarted", "commandLine"),
              c.versionsIni ? std::vector<std::string>{} : std::vector<std::string>{kBatch});
    if (!c.versionsIni) {
      EXPECT_NE(FileText(*run.machine, kBatch).find(std::string("del \"") + c.startedAs + "\""), std::string::npos)
          << FileText(*run.machine, kBatch);
    }
    EXPECT_NE(FileText(*run.machine, kProgram), "<missing>");
    run.ExpectNoScriptErrors();
  }
}

}  // namespace
}  // namespace run_test
