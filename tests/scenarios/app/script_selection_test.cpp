// What a script selects on a machine with printers, an orphan driver and a
// small component tree, and which of the three messages a bad one gives.
#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/script_selection.h"
#include "run_harness.h"

namespace run_test {
namespace {

const char kScript[] = "C:\\Scripts\\remove.ini";
const char kNotFound[] = "The specified script file was not found.\n";
const char kNothing[] = "The specified script will not uninstall anything currently on the system.\n";
const char kRequired[] = "The following items could not be uninstalled:\n";

// Two printers on one of the maker's drivers and a second maker's driver
// that no printer uses.
json ScriptMachine(const std::string& script) {
  const char* nt = "Windows NT x86";
  json image = Image("winxp");
  image["services"] = {{"spooler", {{"state", "running"}}}};
  image["drivers"] = json::array({{{"name", "Vor LP"}, {"environment", nt}, {"driverPath", "vkpcl2a.dll"}},
                                  {{"name", "Vor Color"}, {"environment", nt}, {"driverPath", "vkcol.dll"}}});
  image["printers"] = json::array({{{"name", "Front Desk Laser"}, {"driver", "Vor LP"}, {"port", "LPT1:"}},
                                   {{"name", "Second Floor Color"}, {"driver", "Vor LP"}, {"port", "LPT2:"}}});
  image["files"][kScript] = {{"content", script}};
  return image;
}

// Suite > Monitor > Agent, and Tools beside them, which needs Monitor.
struct ScriptRun : RemovalRun {
  explicit ScriptRun(const std::string& script) : RemovalRun(ScriptMachine(script)) {
    TakeInventory({"Vor LP", "Vor Color"});
    AddComponent("Suite", "", false);
    AddComponent("Monitor", "Suite", false);
    AddComponent("Agent", "Monitor", false);
    AddComponent("Tools", "", false);
  }

  bool Apply(const std::string& path = kScript) {
    ScriptSelection selection(machine->platform().files, path);
    const bool ok = selection.ApplyScript(app->items, app->printers, app->orphanDrivers);
    errorText = selection.errorText;
    EXPECT_EQ(ok, errorText.empty());
    return ok;
  }

  std::vector<std::string> Selected() const {
    std::vector<std::string> out;
    for (const UnstItem& item : app->items)
      if (item.selected) out.push_back(item.key);
    for (const auto& printer : app->printers)
      if (printer->selected) out.push_back("printer " + printer->name);
    for (const CPrinterDriver* driver : app->orphanDrivers)
      if (driver->selected) out.push_back("orphan " + driver->name);
    return out;
  }

  std::string errorText;
};

using Names = std::vector<std::string>;

TEST(ScriptSelectionRules, EachRuleOfTheScriptSelectsWhatItNamesAndNothingMore) {
  struct Case {
    const char* what;
    std::string script;
    Names selected;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"a child alone goes without its parent", "[Uninstall]\nAgent=1\n", {"Agent"}, ""},
      {"a parent with 2 takes everything below it", "[Uninstall]\nSuite=2\n", {"Suite", "Monitor", "Agent"}, ""},
      {"a parent with 0 whose children stay is cleared again", "[Uninstall]\nSuite=0\n", {}, kNothing},
      {"a component's own section adds components",
       "[Uninstall]\nMonitor=1\n[Monitor]\nAgent=1\nTools=1\nUnknown=1\n",
       {"Monitor", "Agent", "Tools"},
       ""},
      {"a component section's zero adds nothing", "[Uninstall]\nMonitor=1\n[Monitor]\nAgent=0\n", {}, kNothing},
      {"a component named with any value goes", "[Uninstall]\nTools=none\n", {"Tools"}, ""},
      {"printers 2 or more takes every printer",
       "[Uninstall]\nPrinters=7\n",
       {"printer Front Desk Laser", "printer Second Floor Color"},
       ""},
      {"printers 1 takes the listed ones, names without case",
       "[Uninstall]\nPrinters=1\n[Printers]\nsecond floor color=1\nFront Desk Laser=0\nNowhere=1\n",
       {"printer Second Floor Color"},
       ""},
      {"printers 1 without a printer list selects nothing", "[Uninstall]\nPrinters=1\n", {}, kNothing},
      {"printers 0 or less ignores the list", "[Uninstall]\nPrinters=-2\n[Printers]\nSecond Floor Color=1\n", {}, kNothing},
      {"orphans with any value takes every orphan driver", "[Uninstall]\nOrphans=0\n", {"orphan Vor Color"}, ""},
      {"section and key names match without case", "[uNINSTALL]\nsuite=2\n", {"Suite", "Monitor", "Agent"}, ""},
      {"keys that name nothing select nothing", "[Uninstall]\nSomething=2\n", {}, kNothing},
      {"no uninstall section selects nothing", "[Printers]\nSecond Floor Color=1\n[Suite]\nSuite=1\n", {}, kNothing},
      {"an empty file selects nothing", "", {}, kNothing},
  };
  for (const Case& c : cases) {
    ScriptRun run(c.script);
    EXPECT_EQ(run.Apply(), c.error.empty()) << c.what;
    EXPECT_EQ(run.errorText, c.error) << c.what;
    Names got = run.Selected();
    Names want = c.selected;
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want) << c.what;
  }
}

TEST(ScriptSelectionCheck, AComponentStillNeededByOneThatStaysFailsEvenBesideOtherSelections) {
  ScriptRun run("[Uninstall]\nMonitor=2\nPrinters=2\n");
  run.app->items[run.app->items.Find("Tools")].requiredKeys = {"Agent", "Suite", "Monitor"};
  run.app->items[run.app->items.Find("Suite")].requiredKeys = {"Monitor"};
  EXPECT_FALSE(run.Apply());
  // Items that stay in list order, each with its requirements in its own
  // order; Suite, which stays, is not a selected requirement.
  EXPECT_EQ(run.errorText, std::string(kRequired) + "Monitor -- Required by Suite\n" +
                               "Agent -- Required by Tools\n" + "Monitor -- Required by Tools\n");
}

TEST(ScriptSelectionCheck, AnOrphanDriverAlreadyDealtWithDoesNotCountAsSomethingToRemove) {
  ScriptRun run("[Uninstall]\nOrphans=1\n");
  ASSERT_EQ(run.app->orphanDrivers.size(), 1u);
  run.app->orphanDrivers[0]->state = RemovalState::Removed;
  EXPECT_FALSE(run.Apply());
  EXPECT_EQ(run.errorText, kNothing);
}

TEST(ScriptSelectionFile, AMissingFileOrADirectoryIsNotFoundAndNothingIsSelected) {
  for (const std::string path : {"C:\\Scripts\\absent.ini", "C:\\Scripts"}) {
    ScriptRun run("[Uninstall]\nPrinters=2\n");
    EXPECT_FALSE(run.Apply(path)) << path;
    EXPECT_EQ(run.errorText, kNotFound) << path;
    EXPECT_TRUE(run.Selected().empty()) << path;
  }
}

TEST(ScriptSelectionFile, AnUnreadableScriptSelectsNothingAndTheScriptIsNeverWritten) {
  json image = ScriptMachine("[Uninstall]\nPrinters=2\n");
  image["faults"] = {{{"call", "FileSystem.ReadText"}, {"error", "ERROR_ACCESS_DENIED"}}};
  RemovalRun denied(image);
  ScriptSelection selection(denied.machine->platform().files, kScript);
  EXPECT_FALSE(selection.ApplyScript(denied.app->items, denied.app->printers, denied.app->orphanDrivers));
  EXPECT_EQ(selection.errorText, kNothing);
  EXPECT_TRUE(denied.Events("fileWritten").empty());

  // A script whose sections would be listed the other way round if it were
  // written back.
  const std::string script = "; remove the suite\n[Suite]\nAgent=1\n\n[Uninstall]\nSuite=1\n";
  ScriptRun run(script);
  EXPECT_TRUE(run.Apply());
  std::string after;
  ASSERT_EQ(run.machine->platform().files.ReadText(kScript, &after), winerr::Success);
  EXPECT_EQ(after, script);
  EXPECT_TRUE(run.Events("fileWritten").empty());
}

TEST(ScriptSelectionEverything, NoScriptSelectsEveryComponentPrinterAndOrphanWithoutACheck) {
  ScriptRun run("");
  run.app->items[run.app->items.Find("Tools")].requiredKeys = {"Suite"};
  run.app->orphanDrivers[0]->state = RemovalState::Failed;
  EXPECT_TRUE(run.Apply(""));
  EXPECT_EQ(run.Selected().size(), 4u + 2u + 1u);

  RemovalRun empty(Image("winxp"));
  ScriptSelection selection(empty.machine->platform().files, "");
  EXPECT_TRUE(selection.ApplyScript(empty.app->items, empty.app->printers, empty.app->orphanDrivers));
}

TEST(ScriptSelectionValues, AValueIsReadAsItsSignAndLeadingDigitsAndHeldAtTheEndsOfInt) {
  const std::vector<std::pair<const char*, int>> cases = {
      {"2", 2},   {"12abc", 12}, {"-1", -1},          {"+3", 3},          {"abc", 0},
      {"", 0},    {"-", 0},      {" 4", 0},           {"99999999999999999999", INT_MAX},
      {"1.9", 1}, {"0x2", 0},    {"-99999999999999999999", INT_MIN},
  };
  for (const auto& [value, number] : cases) EXPECT_EQ(ScriptSelection::ScriptValue(value), number) << value;
}

TEST(ScriptSelectionBadInput, OddFilesEndInASelectionOrOneOfTheMessagesAndAreNotWritten) {
  std::string repeated;
  for (int i = 0; i < 1000; ++i) repeated += "[Uninstall]\nAgent=" + std::to_string(i % 2) + "\n";
  const std::string megabyteLine = "[Uninstall]\nAgent=1\nPrinters=" + std::string(1 << 20, '7') + "\n";
  std::string binary = "\x00\xff[Uninstall]\x00\nTools=1\n\x80\x81\x82=1\n";
  binary[0] = '\0';
  struct Case {
    const char* what;
    std::string script;
    Names selected;
    std::string error;
  };
  const std::vector<Case> cases = {
      // Merged sections: each later line replaces the value, the key stays.
      {"a section repeated a thousand times", repeated, {"Agent"}, ""},
      {"a line of a megabyte", megabyteLine,
       {"Agent", "printer Front Desk Laser", "printer Second Floor Color"}, ""},
      {"no line end after the last line", "[Uninstall]\nTools=1", {"Tools"}, ""},
      {"binary bytes", binary, {}, kNothing},
  };
  for (const Case& c : cases) {
    ScriptRun run(c.script);
    EXPECT_EQ(run.Apply(), c.error.empty()) << c.what;
    EXPECT_EQ(run.errorText, c.error) << c.what;
    Names got = run.Selected();
    Names want = c.selected;
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want) << c.what;
    EXPECT_TRUE(run.Events("fileWritten").empty()) << c.what;
  }
}

TEST(ScriptSelectionCheck, ParentsThatRunInACircleAreClearedWithoutHanging) {
  ScriptRun run("[Uninstall]\nLoopA=1\nTools=1\n");
  run.AddComponent("LoopA", "LoopB", false);
  run.AddComponent("LoopB", "LoopA", false);
  EXPECT_TRUE(run.Apply());
  EXPECT_EQ(run.Selected(), Names{"Tools"});
}

std::string ExampleScript(const std::string& name) {
  std::ifstream in(std::string(SCRIPT_EXAMPLES_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ScriptExamples, EachShippedScriptSelectsWhatItsCommentPromises) {
  struct Case {
    const char* file;
    Names selected;
  };
  const Names components = {"SnapIns", "SnapInsHPOpenView", "KSINET", "KSINETClientNew", "KSINETServer",
                            "KSINETSrvWebClient", "Kestrion", "Bidi", "StatusWindow"};
  Names everything = components;
  everything.insert(everything.end(), {"printer Front Desk Laser", "printer Second Floor Color", "orphan Vor Color"});
  const std::vector<Case> cases = {
      {"remove-everything.ini", everything},
      {"listed-printers.ini", {"printer Front Desk Laser"}},
      {"component-and-below.ini", {"KSINET", "KSINETClientNew", "KSINETServer", "KSINETSrvWebClient"}},
  };
  for (const Case& c : cases) {
    RemovalRun run(ScriptMachine(ExampleScript(c.file)));
    run.TakeInventory({"Vor LP", "Vor Color"});
    // Part of the catalogue as start-up would find it on a managed machine.
    const std::vector<std::pair<const char*, const char*>> tree = {
        {"SnapIns", ""},         {"SnapInsHPOpenView", "SnapIns"}, {"KSINET", ""},
        {"KSINETClientNew", "KSINET"}, {"KSINETServer", "KSINET"},  {"KSINETSrvWebClient", "KSINETServer"},
        {"Kestrion", ""},        {"Bidi", ""},                     {"StatusWindow", ""}};
    for (const auto& [key, parent] : tree) run.AddComponent(key, parent, false);
    run.app->items[run.app->items.Find("Kestrion")].requiredKeys = {"Bidi"};
    run.app->items[run.app->items.Find("StatusWindow")].requiredKeys = {"Bidi"};

    ScriptSelection selection(run.machine->platform().files, kScript);
    EXPECT_TRUE(selection.ApplyScript(run.app->items, run.app->printers, run.app->orphanDrivers)) << c.file;
    EXPECT_EQ(selection.errorText, "") << c.file;
    Names got;
    for (const UnstItem& item : run.app->items)
      if (item.selected) got.push_back(item.key);
    for (const auto& printer : run.app->printers)
      if (printer->selected) got.push_back("printer " + printer->name);
    for (const CPrinterDriver* driver : run.app->orphanDrivers)
      if (driver->selected) got.push_back("orphan " + driver->name);
    EXPECT_EQ(got, c.selected) << c.file;
  }
}

}  // namespace
}  // namespace run_test
