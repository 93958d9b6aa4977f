// Start-up with a script or with the switches that select everything: what
// is shown, what is removed, and how a bad script ends the run.
#include "startup_harness.h"

namespace startup_test {
namespace {

const char kScript[] = "C:\\Scripts\\remove.ini";
const char kCaption[] = "Script Uninstall Error";

json WithPrinters(const std::string& script) {
  const char* nt = "Windows NT x86";
  json image = BaseImage();
  image["services"] = {{"spooler", {{"state", "running"}}}};
  // The model list that makes "Vor LP" one of the maker's drivers.
  image["files"][std::string(kInstallDir) + "\\Drivers.ini"] = {
      {"content", "[Printer]\r\nm=M\r\n[M]\r\nPCL5Name=Vor LP\r\n"}};
  image["drivers"] = json::array({{{"name", "Vor LP"}, {"environment", nt}, {"driverPath", "vkpcl2a.dll"}}});
  image["printers"] = json::array({{{"name", "Front Desk Laser"}, {"driver", "Vor LP"}, {"port", "LPT1:"}},
                                   {{"name", "Second Floor Color"}, {"driver", "Vor LP"}, {"port", "LPT2:"}}});
  image["files"][kScript] = {{"content", script}};
  return image;
}

std::vector<std::string> DeletedPrinters(const RunResult& r) {
  std::vector<std::string> out;
  for (const json& e : r.Events("printerDeleted")) out.push_back(e.value("printer", e.value("name", "")));
  return out;
}

const char kListed[] = "[Uninstall]\nPrinters=1\n[Printers]\nSecond Floor Color=1\n";

TEST(ScriptStartup, ASilentScriptRemovesWhatItSelectsAndShowsNothing) {
  const RunResult r = RunStartup(WithPrinters(kListed), {"/S", std::string("/I:") + kScript});
  EXPECT_EQ(DeletedPrinters(r), std::vector<std::string>{"Second Floor Color"}) << r.journal.dump(1);
  EXPECT_TRUE(r.MessageBoxes().empty()) << r.journal.dump(1);
  for (const char* shown : {"wizard", "progress", "completion"}) EXPECT_TRUE(r.Events(shown).empty()) << shown;
  EXPECT_EQ(r.exitCode, 0);
}

TEST(ScriptStartup, AScriptWithoutSilenceSkipsTheWizardButShowsProgressAndCompletion) {
  json image = WithPrinters(kListed);
  image["ui"] = {{"answers", json::array({{{"dialog", "completion"}, {"answer", "IDOK"}}})}};
  const RunResult r = RunStartup(image, {std::string("-i:") + kScript});
  EXPECT_EQ(DeletedPrinters(r), std::vector<std::string>{"Second Floor Color"}) << r.journal.dump(1);
  EXPECT_TRUE(r.Events("wizard").empty());
  EXPECT_EQ(r.Events("progress").size(), 1u);
  EXPECT_EQ(r.Events("completion").size(), 1u);
}

TEST(ScriptStartup, SilenceWithoutAScriptRemovesEveryPrinterWithoutAsking) {
  const RunResult r = RunStartup(WithPrinters(""), {"/S"});
  EXPECT_EQ(DeletedPrinters(r).size(), 2u) << r.journal.dump(1);
  EXPECT_TRUE(r.MessageBoxes().empty());
}

TEST(ScriptStartup, ABadScriptShowsItsMessageRemovesNothingAndEndsWithZero) {
  struct Case {
    std::string script;
    std::vector<std::string> args;
    std::string text;
  };
  const std::string atScript = std::string("/I:") + kScript;
  const std::vector<Case> cases = {
      {"", {"/S", "/I:C:\\Scripts\\absent.ini"},
       "The specified script file was not found.\n\nProgram will abort."},
      {"[Uninstall]\nPrinters=1\n", {"/S", atScript},
       "The specified script will not uninstall anything currently on the system.\n\nProgram will abort."},
      {"[Uninstall]\nPrinters=1\n[Printers]\nNo Such Printer=1\n", {atScript},
       "The specified script will not uninstall anything currently on the system.\n\nProgram will abort."},
  };
  for (const Case& c : cases) {
    const json image = WithPrinters(c.script);
    const RunResult r = RunStartup(image, c.args);
    const auto boxes = r.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u) << r.journal.dump(1);
    EXPECT_EQ(boxes[0]["text"], c.text);
    EXPECT_EQ(boxes[0]["caption"], kCaption);
    EXPECT_EQ(boxes[0]["icon"], "error");
    EXPECT_EQ(r.exitCode, 0);
    for (const char* shown : {"wizard", "progress", "completion"}) EXPECT_TRUE(r.Events(shown).empty()) << shown;
    sim::LoadError error;
    const auto untouched = sim::Machine::FromJson(image, &error);
    ASSERT_TRUE(untouched) << error.ToString();
    EXPECT_EQ(StateOf(*r.machine), StateOf(*untouched)) << c.text;
  }
}

}  // namespace
}  // namespace startup_test
