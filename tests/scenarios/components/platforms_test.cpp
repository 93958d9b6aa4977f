// The network-management add-ins removed on a simulated machine: the lines
// taken out of the platforms' files, the platforms' tools run, and the console
// settings put back as they were.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/cunst_main.h"
#include "components/component_remover.h"
#include "sim/machine.h"

namespace {

using nlohmann::json;

const char kNnm[] = "C:\\OV";
const char kNnmKey[] = "HKLM\\Software\\Hewlett-Packard\\OpenView\\Network Node Manager";
const char kConsoleKey[] = "HKLM\\Software\\Hewlett-Packard\\OpenView\\Network Node Manager\\OVConsole";
const char kSym[] = "C:\\OV\\conf\\oid_to_sym";
const char kType[] = "C:\\OV\\conf\\oid_to_type";
const char kTrusted[] = "C:\\OV\\conf\\trustedCmds.conf\\Nnm";

const std::string kSymBefore =
    "1.3.6.1.4.1.11.2.3.9.1:HP:JetDirect\r\n"
    "1.3.6.1.4.1.7277.1:Device:Netrelle    # the maker's printers\r\n"
    "1.3.6.1.4.1.7277.10:Device:X\r\n";
const std::string kTypeBefore = "1.3.6.1.4.1.11:HP:HP\r\n1.3.6.1.4.1.7277.1:Netrelle:Netrelle\r\n";
const std::string kTrustedBefore = "ovw=$OV_BIN/ovw\nsss=$OV_BIN/sss\n";

json OpenViewMachine(const json& version) {
  json image = {
      {"os", "winxp"},
      {"files",
       {{kSym, {{"content", kSymBefore}}},
        {kType, {{"content", kTypeBefore}}},
        {kTrusted, {{"content", kTrustedBefore}}}}},
      {"registry",
       {{kNnmKey, {{"values", {{"PathName", kNnm}}}}},
        {kConsoleKey, {{"values", {{"LaunchViewer", 1}, {"AutoPopup", 2}}}}}}},
      {"installLog", {{"components", {{"SnapInsHPOpenView", json::object()}}}}},
  };
  if (!version.is_null()) image["registry"][kNnmKey]["values"]["CurrentVersion"] = version;
  return image;
}

struct RemoverRun {
  std::unique_ptr<sim::Machine> machine;
  json journal;

  std::string File(const std::string& path) const {
    std::string text;
    if (!machine->platform().files.ReadText(path, &text).ok()) return "(missing)";
    return text;
  }
  std::vector<std::string> Commands() const {
    std::vector<std::string> lines;
    for (const json& e : journal)
      if (e.value("event", "") == "commandRun") lines.push_back(e.value("commandLine", ""));
    return lines;
  }
};

// Runs one remover of a ComponentRemover made as the removal worker makes it.
RemoverRun RunRemover(const json& image, void (ComponentRemover::*remover)()) {
  RemoverRun run;
  sim::LoadError error;
  run.machine = sim::Machine::FromJson(image, &error);
  if (!run.machine) {
    ADD_FAILURE() << error.ToString();
    return run;
  }
  const std::size_t before = run.machine->journal().size();
  {
    plat::Platform& platform = run.machine->platform();
    CUnstMain app(platform);
    EXPECT_TRUE(platform.installLog.InitializeOle().ok());
    {
      ComponentRemover components(app.Components());
      (components.*remover)();
    }
    platform.installLog.UninitializeOle();
  }
  run.journal = json::array();
  for (std::size_t i = before; i < run.machine->journal().size(); ++i) run.journal.push_back(run.machine->journal()[i]);
  return run;
}

TEST(OpenViewSnapIn, TrustedCommandsAreFilteredOnlyFromVersionSixPointTwentyOn) {
  struct Case {
    json version;
    bool filtered;
  };
  const std::vector<Case> cases = {
      {"6.2", false}, {"6.19", false}, {"6.20", true}, {"6.31", true}, {"7.0", true},
      {"7", false},   {"", false},     {"seven", false}, {nullptr, false},
  };
  for (const Case& c : cases) {
    const RemoverRun run = RunRemover(OpenViewMachine(c.version), &ComponentRemover::RemoveOpenViewSnapIn);
    EXPECT_EQ(run.File(kTrusted), c.filtered ? "ovw=$OV_BIN/ovw\n" : kTrustedBefore) << c.version.dump();
  }
}

TEST(OpenViewSnapIn, OnlyTheMakersObjectLinesGoAndThePlatformsToolsRunInOrder) {
  const RemoverRun run = RunRemover(OpenViewMachine("6.20"), &ComponentRemover::RemoveOpenViewSnapIn);
  // The identifier is looked for as written: another object of the maker's
  // whose number merely starts the same stays.
  EXPECT_EQ(run.File(kSym), "1.3.6.1.4.1.11.2.3.9.1:HP:JetDirect\r\n1.3.6.1.4.1.7277.10:Device:X\r\n");
  EXPECT_EQ(run.File(kType), "1.3.6.1.4.1.11:HP:HP\r\n");
  std::vector<std::string> expected;
  for (const char* tail :
       {"bin\\xnmloadmib -unload vorkast1.mib", "bin\\xnmevents -delete irCleared",
        "bin\\xnmevents -delete irCondition", "bin\\xnmevents -delete irOutputfull",
        "bin\\xnmevents -delete irLoadPaper", "bin\\xnmevents -delete irPaperJam", "bin\\xnmevents -delete irTonerLow",
        "bin\\xnmevents -delete irServiceReq", "bin\\xnmevents -delete irDiskErr",
        "bin\\xnmevents -delete irCoverOpen", "bin\\xnmevents -delete irPageComplexity",
        "bin\\xnmevents -delete irOffline", "bin\\xnmevents -delete irClearedTypeII", "bin\\xnmtrap -event",
        "bin\\ovw -fields"})
    expected.push_back(std::string(kNnm) + "\\" + tail);
  EXPECT_EQ(run.Commands(), expected);
}

TEST(OpenViewSnapIn, TheConsoleSettingsComeBackAndAnUnreadableOneComesBackAsAllOnes) {
  json image = OpenViewMachine("7.0");
  image["registry"][kConsoleKey]["values"].erase("AutoPopup");
  const RemoverRun run = RunRemover(image, &ComponentRemover::RemoveOpenViewSnapIn);
  const json saved = run.machine->Save()["registry"][kConsoleKey]["values"];
  EXPECT_EQ(saved["LaunchViewer"], 1) << saved.dump();
  EXPECT_EQ(saved["AutoPopup"], 0xFFFFFFFFu) << saved.dump();
}

TEST(OpenViewSnapIn, WithoutThePlatformsDirectoryOnlyTheLogRecordGoes) {
  json image = OpenViewMachine("7.0");
  image["registry"][kNnmKey]["values"]["PathName"] = "";
  const RemoverRun run = RunRemover(image, &ComponentRemover::RemoveOpenViewSnapIn);
  EXPECT_EQ(run.File(kSym), kSymBefore);
  EXPECT_TRUE(run.Commands().empty());
  EXPECT_EQ(run.machine->Save()["registry"][kConsoleKey]["values"]["AutoPopup"], 2);
}

TEST(PlatformVendorLines, TheMakersLinesGoFromBothObjectFilesInAnyCaseAndTheRestStaysAsItWas) {
  json image = OpenViewMachine(nullptr);
  image["registry"][kNnmKey]["values"]["PathName"] = kNnm;
  image["files"][kType]["content"] = "[1.3.6.1.4.1.11:HP]\r\n1.3.6.1.4.1.7277:VORKAST:Printer\r\nplain\r\n";
  image["files"][kSym]["content"] = "1.3.6.1.4.1.7277:Vorkast Printer\r\nkeep\r\nsub.vorKASTic\r\n";
  image["installLog"]["components"]["HPOpenView"] = json::object();
  const RemoverRun run = RunRemover(image, &ComponentRemover::RemoveOpenViewFiles);
  EXPECT_EQ(run.File(kType), "[1.3.6.1.4.1.11:HP]\r\nplain\r\n");
  EXPECT_EQ(run.File(kSym), "keep\r\n");
}

TEST(UnicenterSnapIn, BothCommandsRunWithoutThePlatformsDirectoryAndARunningServiceIsRestarted) {
  for (const char* state : {"running", "stopped"}) {
    const json image = {
        {"os", "winxp"},
        {"registry",
         {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", {{"values", {{"ProgramFilesDir", "C:\\Program Files"}}}}}}},
        {"services", {{"CA Unicenter", {{"state", state}}}}},
        {"installLog", {{"components", {{"SnapInsUnicenter", json::object()}}}}},
    };
    const RemoverRun run = RunRemover(image, &ComponentRemover::RemoveUnicenterSnapIn);
    EXPECT_EQ(run.Commands(), (std::vector<std::string>{
                                  "\\bin\\cautil delete msgrec msgid='%CATD_I_060, SNMPTRAP: -c * 7277*'",
                                  "C:\\Program Files\\BREVIK\\Install\\ucunst"}))
        << state;
    const bool running = std::string(state) == "running";
    std::size_t stops = 0, starts = 0;
    for (const json& e : run.journal) {
      stops += e.value("event", "") == "serviceStopped";
      starts += e.value("event", "") == "serviceStarted";
    }
    EXPECT_EQ(stops, running ? 1u : 0u) << state;
    EXPECT_EQ(starts, running ? 1u : 0u) << state;
  }
}

}  // namespace
