// Start-up after the rights check: the translated resources, the question on
// an empty machine, the switches and the install directory.
#include "startup_harness.h"

namespace startup_test {
namespace {

const char kNothingToUninstall[] = "There is nothing to uninstall.  Would you like to remove the uninstaller?";

json WithAnswers(json image, json answers) {
  image["ui"] = {{"answers", std::move(answers)}};
  return image;
}

json WithLibraryIn(json image, const std::string& dir) {
  image["files"] = {{dir + "\\SETUPUI.DLL", json::object()}};
  image["resourceLibraries"] = {{dir + "\\SETUPUI.DLL", {{"strings", json::object()}}}};
  return image;
}

TEST(StartupResources, WithoutTheLibraryBesideTheProgramStartupEndsWithOneMessage) {
  json missing = BaseImage();
  missing.erase("resourceLibraries");
  json unloadable = BaseImage();
  unloadable["faults"] = {{{"call", "ResourceStrings.Load"}, {"error", "ERROR_BAD_EXE_FORMAT"}}};
  const json elsewhere = WithLibraryIn(BaseImage(), "C:\\WINDOWS\\SYSTEM32");

  for (const json& image : {missing, unloadable, elsewhere}) {
    for (const char* silent : {"", "/S"}) {  // shown even in a silent run
      const RunResult r = RunStartup(image, {silent});
      const auto boxes = r.MessageBoxes();
      ASSERT_EQ(boxes.size(), 1u) << r.journal.dump(1);
      EXPECT_EQ(boxes[0]["text"], "No translated resources available. Please check your installation.");
      EXPECT_EQ(boxes[0]["caption"], "drvpurge");
      EXPECT_EQ(boxes[0]["icon"], "error");
      EXPECT_EQ(r.exitCode, 0);
    }
  }

  // The program's directory ends at its last backslash, whatever it holds.
  json moved = WithLibraryIn(BaseImage(), "D:\\Tools\\Purge.v2");
  moved["program"] = "D:\\Tools\\Purge.v2\\drvpurge.exe";
  const RunResult r = RunStartup(moved, {});
  ASSERT_FALSE(r.MessageBoxes().empty());
  EXPECT_EQ(r.MessageBoxes()[0]["text"], kNothingToUninstall);
}

TEST(StartupEmptyMachine, AsksWhetherToRemoveTheUninstallerAndEndsWithZeroWhateverTheAnswer) {
  for (const char* answer : {"IDNO", "IDYES", ""}) {
    const json image = WithAnswers(BaseImage(), *answer ? json::array({answer}) : json::array());
    const RunResult r = RunStartup(image, {});
    const auto boxes = r.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << r.journal.dump(1);
    EXPECT_EQ(boxes[0]["text"], kNothingToUninstall);
    EXPECT_EQ(boxes[0]["caption"], "Uninstall");
    EXPECT_EQ(boxes[0]["icon"], "question");
    EXPECT_EQ(boxes[0]["buttons"], "yesno");
    EXPECT_EQ(boxes[0]["answer"], *answer ? answer : "IDNO");  // nobody answering means No
    EXPECT_EQ(r.exitCode, 0);

    // No leaves the machine as it was; Yes removes nothing but the
    // uninstaller, through the batch that deletes it once it has exited.
    sim::LoadError error;
    const auto untouched = sim::Machine::FromJson(image, &error);
    ASSERT_TRUE(untouched) << error.ToString();
    json state = StateOf(*r.machine);
    const bool yes = std::string(answer) == "IDYES";
    EXPECT_EQ(state["files"].contains("C:\\WINDOWS\\TEMP\\vortmp.bat"), yes) << answer;
    EXPECT_EQ(r.Events("processStarted").size(), yes ? 1u : 0u) << answer;
    state["files"].erase("C:\\WINDOWS\\TEMP\\vortmp.bat");
    json expected = StateOf(*untouched);
    // The final clean-up gives the install log a second to let its store go.
    if (yes) expected["clock"]["elapsed"] = 1000;
    EXPECT_EQ(state, expected) << answer;
  }
}

TEST(StartupEmptyMachine, SilentRunAsksNothingAndRemoveAllWarnsAfterTheQuestion) {
  const RunResult quiet = RunStartup(WithAnswers(BaseImage(), {"IDNO"}), {"-s", "/R:1"});
  EXPECT_TRUE(quiet.MessageBoxes().empty()) << quiet.journal.dump(1);
  EXPECT_EQ(quiet.exitCode, 0);

  const RunResult all = RunStartup(WithAnswers(BaseImage(), {"IDYES", "IDNO"}), {"/ALL"});
  const auto boxes = all.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u) << all.journal.dump(1);
  EXPECT_EQ(boxes[0]["text"], kNothingToUninstall);
  EXPECT_EQ(boxes[1]["text"], "WARNING: This will remove all software and registry settings.  Continue?");
  EXPECT_EQ(boxes[1]["caption"], "drvpurge");
  EXPECT_EQ(boxes[1]["icon"], "warning");
  EXPECT_EQ(all.exitCode, 0);
}

TEST(StartupSwitches, ReachTheApplicationAsParsed) {
  const struct {
    std::vector<std::string> args;
    int rebootMode;
    std::string scriptFile;
    std::size_t boxes;
  } cases[] = {
      {{"/S", "/R:2"}, 0, "", 0},
      {{"/S", "/R:-5"}, 0, "", 0},
      {{"/S", "/R:-1"}, -1, "", 0},
      {{"/I"}, 0, "", 1},  // no script: the empty-machine question still comes
      {{"/S", "-i:C:\\tmp\\a.ini"}, 0, "C:\\tmp\\a.ini", 1},  // no such script: its message, even silent
  };
  for (const auto& c : cases) {
    const RunResult r = RunStartup(BaseImage(), c.args);
    ASSERT_TRUE(r.app);
    EXPECT_EQ(r.app->rebootMode, c.rebootMode) << c.args.back();
    EXPECT_EQ(r.app->scriptFile, c.scriptFile) << c.args.back();
    EXPECT_EQ(r.MessageBoxes().size(), c.boxes) << c.args.back();
  }
}

TEST(StartupInstallDirectory, IsTheProgramFilesDirectoryFromTheRegistryPlusTheMakersFolder) {
  json image = BaseImage();
  image["registry"]["HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"]["values"]["ProgramFilesDir"] =
      "E:\\Programme";
  EXPECT_EQ(RunStartup(image, {"/S"}).app->InstallDirectory(), "E:\\Programme\\BREVIK\\Install");

  // An unreadable value is an empty text, not an error.
  image["registry"] = json::object();
  const RunResult r = RunStartup(image, {"/S"});
  EXPECT_EQ(r.app->InstallDirectory(), "\\BREVIK\\Install");
  EXPECT_TRUE(r.MessageBoxes().empty());
}

}  // namespace
}  // namespace startup_test
