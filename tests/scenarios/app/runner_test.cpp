// The Linux runner as a user meets it: on the example images, on a broken
// image, and with a wrong command line.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// An administrator's Windows XP with the uninstaller installed and nothing of
// the maker's besides; `answers` is spliced into the image's "ui".
std::string EmptyMachine(const std::string& answers) {
  return R"({"os": "winxp",
    "token": {"user": "S-1-5-21-1-2-3-500", "thread": null, "process": ["S-1-1-0", "S-1-5-32-544"]},
    "program": "C:\\Program Files\\BREVIK\\Install\\drvpurge.exe",
    "files": {"C:\\Program Files\\BREVIK\\Install\\SETUPUI.DLL": {}},
    "resourceLibraries": {"C:\\Program Files\\BREVIK\\Install\\SETUPUI.DLL": {"strings": {}}},
    "ui": {"answers": )" + answers + "}}";
}

struct Outcome {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const fs::path& p) {
  std::ifstream in(p);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += (c == '\'') ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class RunnerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("drvpurge-runner-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the built runner with `input` as its standard input. A run that has
  // not ended after half a minute is stopped and exits with 124.
  Outcome RunRunner(const std::vector<std::string>& args, const std::string& input = "") {
    std::ofstream(dir_ / "in.txt") << input;
    std::string cmd = "timeout 30 " + Quote(DRVPURGE_RUNNER);
    for (const auto& a : args) cmd += " " + Quote(a);
    cmd += " <" + Quote((dir_ / "in.txt").string()) + " >" + Quote((dir_ / "out.txt").string()) + " 2>" +
           Quote((dir_ / "err.txt").string());
    const int status = std::system(cmd.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(dir_ / "out.txt"), Slurp(dir_ / "err.txt")};
  }

  fs::path WriteImage(const std::string& name, const std::string& text) {
    const fs::path p = dir_ / name;
    std::ofstream(p) << text;
    return p;
  }

  fs::path dir_;
};

TEST_F(RunnerTest, RunsEveryExampleAndExitsWithTheCodeItRecords) {
  const fs::path examples = EXAMPLES_DIR;
  std::vector<fs::path> images;
  if (fs::is_directory(examples)) {
    for (const auto& entry : fs::directory_iterator(examples)) {
      if (entry.path().extension() == ".json") images.push_back(entry.path());
    }
  }
  if (images.empty()) GTEST_SKIP() << "no example images in " << examples;

  for (const fs::path& image : images) {
    SCOPED_TRACE(image.filename().string());
    const fs::path saved = dir_ / "after.json";
    fs::remove(saved);
    const Outcome o = RunRunner({"--machine", image.string(), "--save-machine", saved.string(), "--ui", "scripted"});
    EXPECT_TRUE(o.exitCode == 0 || o.exitCode == 1) << o.err;
    EXPECT_NE(o.out.find("What happened:"), std::string::npos) << o.out;

    ASSERT_TRUE(fs::exists(saved));
    const json after = json::parse(Slurp(saved));
    ASSERT_FALSE(after["journal"].empty());
    EXPECT_EQ(after["journal"].back(), (json{{"event", "exit"}, {"code", o.exitCode}, {"t", after["journal"].back()["t"]}}));
    EXPECT_NE(o.out.find("exit code " + std::to_string(o.exitCode)), std::string::npos) << o.out;
  }
}

TEST_F(RunnerTest, MalformedImageIsRefusedWithItsJsonPathAndNothingIsWritten) {
  const fs::path out = dir_ / "never.json";
  const fs::path badValue = WriteImage(
      "bad-value.json",
      R"({"os": "win2k", "registry": {"HKLM\\SOFTWARE\\Vorkast": {"values": {"Bad": {"type": "REG_NOPE"}}}}})");
  const Outcome o = RunRunner({"--machine", badValue.string(), "--save-machine", out.string()});
  EXPECT_EQ(o.exitCode, 2);
  EXPECT_NE(o.err.find("/registry"), std::string::npos) << o.err;
  EXPECT_EQ(o.out.find("What happened"), std::string::npos) << o.out;
  EXPECT_FALSE(fs::exists(out));

  const fs::path notJson = WriteImage("not-json.json", R"({"os": "winxp", )");
  EXPECT_EQ(RunRunner({"--machine", notJson.string(), "--save-machine", out.string()}).exitCode, 2);
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(RunnerTest, ImagesNamingADriveRootAreRefusedOrRunToTheEnd) {
  struct Case {
    const char* name;
    const char* members;  // spliced into an otherwise empty machine
    int exitCode;
    const char* refusedAt;  // "" when the image loads
  };
  const Case cases[] = {
      {"root as a file", R"("files": {"C:\\": {}})", 2, "/files/C:\\"},
      {"root as a directory", R"("files": {"D:\\": {"attributes": "DIRECTORY"}})", 2, "/files/D:\\"},
      {"root as a dependent file", R"("drivers": [{"name": "X", "dependentFiles": ["C:\\"]}])", 2,
       "/drivers/0/dependentFiles/0"},
      {"root as a driver file", R"("drivers": [{"name": "X", "driverPath": "C:/"}])", 2, "/drivers/0/driverPath"},
      {"root as the temp directory", R"("directories": {"temp": "C:"})", 0, ""},
      {"root as the Windows directory", R"("directories": {"windows": "C:\\"})", 0, ""},
  };
  const fs::path out = dir_ / "after.json";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(out);
    const fs::path image = WriteImage("root.json", R"({"os": "winxp", )" + std::string(c.members) + "}");
    const Outcome o = RunRunner({"--machine", image.string(), "--save-machine", out.string(), "--ui", "scripted"});
    EXPECT_EQ(o.exitCode, c.exitCode) << o.err;
    if (*c.refusedAt) {
      EXPECT_NE(o.err.find(std::string("at ") + c.refusedAt + ":"), std::string::npos) << o.err;
      EXPECT_FALSE(fs::exists(out));
    } else {
      EXPECT_NE(o.out.find("exit code"), std::string::npos) << o.out;
      EXPECT_TRUE(fs::exists(out));
    }
  }
}

TEST_F(RunnerTest, AScriptedAnswerThatIsNoButtonOfItsBoxEndsWithTwoAndNamesTheBox) {
  const fs::path image = WriteImage("wrong-answer.json", EmptyMachine(R"(["IDOK"])"));
  const Outcome o = RunRunner({"--machine", image.string(), "--ui", "scripted"});
  EXPECT_EQ(o.exitCode, 2);
  EXPECT_NE(o.err.find("the answer IDOK is not a button of the box \"Uninstall\" (yesno)"), std::string::npos)
      << o.err;
}

TEST_F(RunnerTest, UsageErrorsExitWithTwo) {
  const fs::path image = WriteImage("ok.json", EmptyMachine("[]"));
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"/S"},
      {"--machine"},
      {"--machine", image.string(), "--ui", "curses"},
      {"--machine", image.string(), "--frobnicate"},
      {"--machine", (dir_ / "missing.json").string()},
  };
  for (const auto& args : wrong) {
    const Outcome o = RunRunner(args);
    EXPECT_EQ(o.exitCode, 2) << (args.empty() ? "(no arguments)" : args.back());
    EXPECT_FALSE(o.err.empty());
  }
}

TEST_F(RunnerTest, TextUiReadsAnswersAndTakesTheDefaultAtEndOfInput) {
  const fs::path image = WriteImage("ask.json", EmptyMachine(R"(["IDNO"])"));
  const fs::path saved = dir_ / "after.json";
  // Input says yes (after one unusable answer) where the image would say no;
  // the warning that follows finds the input at its end.
  const Outcome o =
      RunRunner({"--machine", image.string(), "--save-machine", saved.string(), "--ui", "text", "/ALL"},
                "maybe\ny\n");
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_NE(o.out.find("  | There is nothing to uninstall."), std::string::npos) << o.out;

  const json after = json::parse(Slurp(saved));
  std::vector<std::pair<std::string, bool>> answers;
  for (const json& e : after["journal"]) {
    if (e.value("event", "") == "messageBox") answers.emplace_back(e["answer"], e.value("unanswered", false));
  }
  EXPECT_EQ(answers, (std::vector<std::pair<std::string, bool>>{{"IDYES", false}, {"IDNO", true}})) << o.out;
}

}  // namespace

namespace {

class RunnerReportTest : public RunnerTest {};

TEST_F(RunnerReportTest, ASilentRunThatCouldNotListThePrintersSaysWhichDriversItKept) {
  json image = json::parse(Slurp(fs::path(EXAMPLES_DIR) / "winxp-maker.json"));
  image["faults"] = json::array({{{"call", "Spooler.ListPrinters"}, {"error", "ERROR_ACCESS_DENIED"}}});
  const fs::path path = WriteImage("printers-unlisted.json", image.dump());
  const Outcome o = RunRunner({"--machine", path.string(), "--ui", "scripted", "/S"});
  EXPECT_EQ(o.exitCode, 0) << o.err;
  const auto at = o.out.find("Printer drivers not removed:\n"
                             "  The printers could not be listed, so no printer driver was removed.\n");
  ASSERT_NE(at, std::string::npos) << o.out;
  EXPECT_NE(o.out.find("  BREVIK BRV-4500 PS\n", at), std::string::npos) << o.out;

  // The same machine with its printers listed removes the freed drivers and
  // reports none of them.
  const Outcome plain = RunRunner({"--machine", (fs::path(EXAMPLES_DIR) / "winxp-maker.json").string(), "--ui",
                                   "scripted", "/S"});
  EXPECT_EQ(plain.out.find("Printer drivers not removed"), std::string::npos) << plain.out;
}

TEST_F(RunnerReportTest, TheReportListsTheComponentsFoundAsTheTreeShowsThemAndWhichWereChosen) {
  const fs::path example = fs::path(EXAMPLES_DIR) / "winxp-maker.json";
  const Outcome all = RunRunner({"--machine", example.string(), "--ui", "scripted", "/S"});
  EXPECT_EQ(all.exitCode, 0) << all.err;
  EXPECT_NE(all.out.find("Software components found:\n"
                         "  Printer Management Utility [Kestrion] (chosen)\n"
                         "  Network Printing Support [Network] (chosen)\n"
                         "    TCP/IP Printing [TCPIP] (chosen)\n"
                         "    IPX Printing [IPX] (chosen)\n"
                         "  Driver Configuration Tool [DrvCfgTool] (chosen)\n"),
            std::string::npos)
      << all.out;

  // Nobody at the wizard: found, not chosen.
  const Outcome none = RunRunner({"--machine", example.string(), "--ui", "scripted"});
  EXPECT_NE(none.out.find("  Printer Management Utility [Kestrion]\n"), std::string::npos) << none.out;
  EXPECT_EQ(none.out.find("(chosen"), std::string::npos) << none.out;
}

}  // namespace

namespace {

class RunnerStrictnessTest : public RunnerTest {};

// Answers the run never asks for: the script does not describe this run, so
// the run must not pass as if it did.
TEST_F(RunnerStrictnessTest, AnAnswerNobodyAskedForEndsWithTwoAndIsNamed) {
  const struct {
    const char* name;
    const char* answers;
    const char* named;
  } cases[] = {
      {"one answer too many", R"(["IDNO", "IDYES"])", "the answer \"IDYES\" was never asked for"},
      {"a box that never shows", R"([{"text": "*disk is full*", "answer": "IDOK"}, "IDNO"])",
       "*disk is full*"},
      {"a dialog the run never reaches", R"(["IDNO", {"dialog": "completion", "answer": "IDOK"}])",
       "\"dialog\":\"completion\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path image = WriteImage("extra.json", EmptyMachine(c.answers));
    const Outcome o = RunRunner({"--machine", image.string(), "--ui", "scripted"});
    EXPECT_EQ(o.exitCode, 2) << o.err;
    EXPECT_NE(o.err.find(c.named), std::string::npos) << o.err;
  }

  // Every answer used: the run ends with the program's own code.
  const fs::path exact = WriteImage("exact.json", EmptyMachine(R"(["IDNO"])"));
  EXPECT_EQ(RunRunner({"--machine", exact.string(), "--ui", "scripted"}).exitCode, 0);
}

TEST_F(RunnerStrictnessTest, WithoutATerminalTheRunSaysWhatToAddInsteadOfEndingSilently) {
  const fs::path image = fs::path(EXAMPLES_DIR) / "winxp-maker.json";
  // Asked for the terminal where there is none: refused before the run.
  const Outcome refused = RunRunner({"--machine", image.string(), "--ui", "terminal"});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("--ui terminal needs a terminal"), std::string::npos) << refused.err;
  EXPECT_EQ(refused.out.find("What happened"), std::string::npos) << refused.out;

  // Left to choose, an interactive run goes on scripted and says why nobody
  // answered the wizard.
  const Outcome unattended = RunRunner({"--machine", image.string()});
  EXPECT_EQ(unattended.exitCode, 0) << unattended.err;
  EXPECT_NE(unattended.err.find("Run it in a terminal with --ui terminal, add /S"), std::string::npos)
      << unattended.err;

  // A silent run needs nobody and says nothing of it.
  const Outcome silent = RunRunner({"--machine", image.string(), "/S"});
  EXPECT_EQ(silent.err, "");
  EXPECT_NE(silent.out.find("Restart needed to finish: no"), std::string::npos) << silent.out;
  EXPECT_NE(silent.out.find("Removed:\n  printer BREVIK BRV-2100\n"), std::string::npos) << silent.out;
}

}  // namespace

namespace {

class RunnerWizardScriptTest : public RunnerTest {
 protected:
  // The example machine with the maker's printers, its wizard answered by
  // `wizard` and its completion dialog by OK.
  fs::path MakerMachineWith(const json& wizard) {
    json image = json::parse(Slurp(fs::path(EXAMPLES_DIR) / "winxp-maker.json"));
    image["ui"]["answers"] = json::array({wizard, {{"dialog", "completion"}, {"answer", "IDOK"}}});
    return WriteImage("wizard.json", image.dump());
  }
};

TEST_F(RunnerWizardScriptTest, TheWizardTicksTheLabelsItIsGivenAndRemovesOnlyThose) {
  const fs::path image = MakerMachineWith({{"dialog", "wizard"}, {"answer", "IDOK"}, {"tick", {"BREVIK BRV-2100"}}});
  const Outcome o = RunRunner({"--machine", image.string(), "--ui", "scripted"});
  EXPECT_EQ(o.exitCode, 0) << o.err;
  EXPECT_NE(o.out.find("Removed:\n  printer BREVIK BRV-2100\n"), std::string::npos) << o.out;
  EXPECT_EQ(o.out.find("printer BREVIK BRV-4500 PS"), std::string::npos) << o.out;
}

TEST_F(RunnerWizardScriptTest, ALabelTheTreeDoesNotShowEndsWithTwoAndRemovesNothing) {
  const fs::path image =
      MakerMachineWith({{"dialog", "wizard"}, {"answer", "IDOK"}, {"tick", {"BREVIK BRV-2100", "BREVIK BRV-9999"}}});
  const Outcome o = RunRunner({"--machine", image.string(), "--ui", "scripted"});
  EXPECT_EQ(o.exitCode, 2);
  EXPECT_NE(o.err.find("the wizard shows no item \"BREVIK BRV-9999\" to tick"), std::string::npos) << o.err;
  EXPECT_EQ(o.out.find("Removed:"), std::string::npos) << o.out;
}

}  // namespace
