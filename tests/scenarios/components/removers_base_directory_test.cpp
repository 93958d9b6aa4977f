// Emptying a base directory named by the install log: the scheduler's
// (ClearBaseDirectory) and the management application's (DeleteAllHere
// under RemoveKestrion). A name that is not a full path of a directory of
// its own, or that reaches a protected system location, empties nothing.
#include "remover_harness.h"

namespace remover_test {
namespace {

const char kBase[] = "C:\\Program Files\\BREVIK\\Sched";

json Files(std::initializer_list<const char*> paths) {
  json files = json::object();
  for (const char* p : paths) files[p] = json::object();
  return files;
}

// Bystanders every refused name would reach: the drive root, the Windows
// directory, Program Files and the current directory (the uninstaller's).
json BystanderFiles() {
  return Files({"C:\\boot.ini", "C:\\WINNT\\win.ini", "C:\\WINNT\\system32\\kernel32.dll",
                "C:\\Program Files\\Fabrikam\\fab.exe", "C:\\Program Files\\BREVIK\\Install\\setup.log"});
}

std::size_t Deletions(const RemoverRun& run) {
  return run.Events("fileDeleted").size() + run.Events("dirRemoved").size() + run.Events("moveOnReboot").size();
}

TEST(ClearBaseDirectory, EmptiesTheDirectoryButKeepsTheUninstallersOwnFiles) {
  json files = Files({"C:\\Program Files\\BREVIK\\Sched\\websched.exe", "C:\\Program Files\\BREVIK\\Sched\\Data\\a.dat",
                      "C:\\Program Files\\BREVIK\\Sched\\Data\\Deep\\b.dat", "C:\\Program Files\\BREVIK\\Sched\\drvpurge.exe",
                      "C:\\Program Files\\BREVIK\\Other\\other.exe"});
  RemoverRun run(Machine(
      "win2k", {{"UninstallerBREVIK", {{"files", {"c:\\program files\\brevik\\SCHED\\DRVPURGE.EXE"}}}}}, files));
  const std::string before = run.platform().files.CurrentDirectory();
  run.remover->ClearBaseDirectory(kBase);
  EXPECT_FALSE(run.Exists("C:\\Program Files\\BREVIK\\Sched\\websched.exe"));
  EXPECT_FALSE(run.Exists("C:\\Program Files\\BREVIK\\Sched\\Data"));
  EXPECT_TRUE(run.Exists("C:\\Program Files\\BREVIK\\Sched\\drvpurge.exe"));
  EXPECT_TRUE(run.Exists("C:\\Program Files\\BREVIK\\Other\\other.exe"));
  EXPECT_EQ(run.platform().files.CurrentDirectory(), before);
}

TEST(RemoveKestrion, DeletesEverythingUnderTheBaseDirectoryAndTheDirectory) {
  json files = Files({"C:\\Ks\\ks.exe", "C:\\Ks\\Help\\ks.hlp", "C:\\Ks\\Help\\Deep\\x.dat", "C:\\Ksx\\keep.txt"});
  files["C:\\Ks\\Help\\ks.hlp"]["attributes"] = "READONLY";
  RemoverRun run(Machine("win2k", {{"Kestrion", {{"properties", {{"BaseDir", "C:\\Ks"}}}}}}, files));
  const std::string before = run.platform().files.CurrentDirectory();
  run.remover->RemoveKestrion();
  EXPECT_FALSE(run.Exists("C:\\Ks"));
  EXPECT_TRUE(run.Exists("C:\\Ksx\\keep.txt"));
  EXPECT_EQ(run.platform().files.CurrentDirectory(), before);
  const std::vector<std::string> forgotten = run.Forgotten();
  ASSERT_FALSE(forgotten.empty());
  EXPECT_EQ(forgotten.back(), "Kestrion");
}

// Empty, relative, drive-relative, roots in several spellings, too short,
// protected system directories and their ancestors.
const char* const kRefusedBaseDirectories[] = {
    "",          ".",          "..\\Install",         "Install",          "C:",          "C:\\",
    "C:\\\\",    "C:\\..",     "C:Program Files",     "\\Program Files",  "\\\\",        "C:\\WINNT",
    "C:\\winnt\\", "C:\\WINNT\\SYSTEM32", "C:\\Program Files", "C:\\PROGRA~1", "C:\\WINNT\\system32\\..",
    "C:\\WINNT\\system32\\spool",
};

TEST(ClearBaseDirectory, RefusesANameThatIsNotADirectoryOfItsOwn) {
  for (const char* dir : kRefusedBaseDirectories) {
    SCOPED_TRACE(dir);
    RemoverRun run(Machine("win2k", json::object(), BystanderFiles()));
    const std::string before = run.platform().files.CurrentDirectory();
    run.remover->ClearBaseDirectory(dir);
    EXPECT_EQ(Deletions(run), 0u);
    EXPECT_EQ(run.platform().files.CurrentDirectory(), before);
  }
}

TEST(RemoveKestrion, RefusesABaseDirectoryThatIsNotADirectoryOfItsOwn) {
  for (const char* dir : kRefusedBaseDirectories) {
    SCOPED_TRACE(dir);
    RemoverRun run(Machine("win2k", {{"Kestrion", {{"properties", {{"BaseDir", dir}}}}}}, BystanderFiles()));
    const std::string before = run.platform().files.CurrentDirectory();
    run.remover->RemoveKestrion();
    EXPECT_EQ(Deletions(run), 0u);
    EXPECT_EQ(run.platform().files.CurrentDirectory(), before);
  }
}

TEST(DeleteAllHere, DeletesNothingWhenTheCurrentDirectoryIsProtected) {
  for (const char* dir : {"C:\\WINNT", "C:\\"}) {
    SCOPED_TRACE(dir);
    RemoverRun run(Machine("win2k", json::object(), BystanderFiles()));
    ASSERT_EQ(run.platform().files.SetCurrentDir(dir), winerr::Success);
    run.remover->DeleteAllHere();
    EXPECT_EQ(Deletions(run), 0u);
  }
}

TEST(DeleteAllHere, LeavesASubdirectoryItCannotEnterAndNothingAboveIt) {
  json image = Machine("win2k", {{"Kestrion", {{"properties", {{"BaseDir", "C:\\Ks\\App"}}}}}},
                       Files({"C:\\Ks\\App\\A\\a.dat", "C:\\Ks\\App\\B\\b.dat", "C:\\Ks\\App\\app.exe",
                              "C:\\Ks\\sibling.ini"}));
  image["faults"] = {Fault("FileSystem.SetCurrentDir", "ERROR_ACCESS_DENIED", "*A")};
  RemoverRun run(image);
  run.remover->RemoveKestrion();
  EXPECT_TRUE(run.Exists("C:\\Ks\\App\\A\\a.dat"));
  EXPECT_FALSE(run.Exists("C:\\Ks\\App\\B"));
  EXPECT_FALSE(run.Exists("C:\\Ks\\App\\app.exe"));
  EXPECT_TRUE(run.Exists("C:\\Ks\\sibling.ini"));
}

}  // namespace
}  // namespace remover_test
