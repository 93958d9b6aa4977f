// The catalogue in a whole start-up: a machine without the install-log server
// or with one that fails, and components chosen in the wizard or by a script.
#include "catalogue_harness.h"
#include "wizard/select_page_model.h"

namespace catalogue_test {
namespace {

using startup_test::RunResult;
using startup_test::RunStartup;

const char kMissing[] = "The uninstaller cannot be run because a component of the uninstaller is missing.";
const std::uint32_t kEFail = 0x80004005;

std::vector<std::string> Selected(const CUnstMain& app) {
  std::vector<std::string> keys;
  for (const UnstItem& item : app.items)
    if (item.selected) keys.push_back(item.key);
  return keys;
}

TEST(CatalogueStartup, WithoutAWorkingLogServerStartupSaysAPartIsMissingAndChangesNothing) {
  struct Case {
    const char* what;
    json image;
  };
  json unregistered = MachineWith({"Kestrion"});
  unregistered["installLog"]["registered"] = false;
  const auto withFault = [](const char* call, json match) {
    json image = MachineWith({"SnapIns", "KSINET", "Kestrion", "Bidi"});
    json fault = {{"call", call}, {"error", kEFail}};
    if (!match.is_null()) fault["match"] = match;
    image["faults"] = json::array({fault});
    return image;
  };
  const std::vector<Case> cases = {
      {"no server registered", unregistered},
      {"OLE cannot be initialised", withFault("InstallLog.InitializeOle", nullptr)},
      {"the server cannot be created", withFault("InstallLog.Connect", nullptr)},
      {"a question in the middle of the catalogue fails", withFault("InstallLog.IsInstalled", "Kestrion")},
  };
  for (const Case& c : cases) {
    for (const char* silent : {"", "/S"}) {
      const RunResult r = RunStartup(c.image, {silent});
      const auto boxes = r.MessageBoxes();
      ASSERT_EQ(boxes.size(), 1u) << c.what << r.journal.dump(1);
      EXPECT_EQ(boxes[0]["text"], kMissing) << c.what;
      EXPECT_EQ(boxes[0]["icon"], "error") << c.what;
      EXPECT_EQ(r.exitCode, 0) << c.what;
      // Nothing was inventoried, asked or removed.
      EXPECT_TRUE(r.Events("wizard").empty()) << c.what;
      EXPECT_TRUE(r.Events("progress").empty()) << c.what;
    }
  }
}

TEST(CatalogueStartup, TheWizardTreeShowsTheComponentsUnderTheirGroups) {
  const RunResult r = RunStartup(MachineWith({"Network", "TCPIP", "PlugNPrint", "Scheduler", "Bidi", "StatusWindow"}), {});
  ASSERT_NE(r.app, nullptr);
  ASSERT_EQ(r.Events("wizard").size(), 1u) << r.journal.dump(1);

  SelectPageModel page(r.app->items, PrinterChoices(r.app->printers), DriverChoices(r.app->orphanDrivers));
  page.Fill();
  const CheckTree& tree = page.tree();
  const auto find = [&](const std::string& text) {
    for (NodeId id = 0; id < tree.size(); ++id)
      if (tree.node(id).text == text) return id;
    ADD_FAILURE() << "no node " << text;
    return kNoNode;
  };
  const auto childTexts = [&](NodeId id) {
    std::vector<std::string> texts;
    for (NodeId child : tree.node(id).children) texts.push_back(tree.node(child).text);
    return texts;
  };
  std::vector<std::string> top;
  for (NodeId id : tree.TopLevel()) top.push_back(tree.node(id).text);
  for (int id : {18, 377, 19, 276})
    EXPECT_NE(std::find(top.begin(), top.end(), NameOf(id)), top.end()) << NameOf(id) << " is top-level";
  const NodeId network = find(NameOf(18));
  ASSERT_NE(network, kNoNode);
  // The protocol says which of its neighbours needs it.
  EXPECT_EQ(childTexts(network), (std::vector<std::string>{NameOf(34) + " -- Required by " + NameOf(39), NameOf(39)}));

  // Ticking the group chooses what lies below it, and nothing else.
  page.ClickBox(network);
  page.WriteBack();
  EXPECT_EQ(Selected(*r.app), (std::vector<std::string>{"Network", "TCPIP", "PlugNPrint"}));
}

TEST(CatalogueStartup, TickingEveryPartOfTheWebServerLeavesTheServerItselfUnchosen) {
  const RunResult r = RunStartup(MachineWith({"KSINET", "KSINETServer", "KSINETSrvWebClient"}), {});
  ASSERT_NE(r.app, nullptr);
  SelectPageModel page(r.app->items, PrinterChoices(r.app->printers), DriverChoices(r.app->orphanDrivers));
  page.Fill();
  const CheckTree& tree = page.tree();
  NodeId webClient = kNoNode;
  NodeId server = kNoNode;
  for (NodeId id = 0; id < tree.size(); ++id) {
    if (tree.node(id).text == NameOf(366)) webClient = id;
    if (tree.node(id).text == NameOf(350)) server = id;
  }
  ASSERT_NE(webClient, kNoNode);
  ASSERT_NE(server, kNoNode);
  page.ClickBox(webClient);
  EXPECT_EQ(tree.State(server), CheckState::Partial);
  page.WriteBack();
  EXPECT_EQ(Selected(*r.app), std::vector<std::string>{"KSINETSrvWebClient"});
}

TEST(CatalogueStartup, AScriptSelectsComponentsByKeyWithoutCase) {
  const char* script = "C:\\Scripts\\components.ini";
  json image = MachineWith({"Network", "TCPIP", "PlugNPrint", "DrvCfgTool", "Scheduler", "Bidi"});
  image["files"][script] = {{"content", "[Uninstall]\r\nnetwork=2\r\nSCHEDULER=0\r\n[scheduler]\r\ndrvcfgtool=1\r\n"}};
  const RunResult r = RunStartup(image, {"/S", std::string("/I:") + script});
  ASSERT_NE(r.app, nullptr);
  EXPECT_TRUE(r.MessageBoxes().empty()) << r.journal.dump(1);
  EXPECT_EQ(Selected(*r.app),
            (std::vector<std::string>{"Network", "TCPIP", "PlugNPrint", "DrvCfgTool", "Scheduler"}));
}

TEST(CatalogueStartup, AScriptThatLeavesANeededComponentBehindIsRefused) {
  const char* script = "C:\\Scripts\\components.ini";
  json image = MachineWith({"Bidi", "StatusWindow"});
  image["files"][script] = {{"content", "[Uninstall]\r\nBidi=1\r\n"}};
  const RunResult r = RunStartup(image, {"/S", std::string("/I:") + script});
  const auto boxes = r.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u) << r.journal.dump(1);
  EXPECT_EQ(boxes[0]["text"], "The following items could not be uninstalled:\n" + NameOf(19) + " -- Required by " +
                                  NameOf(276) + "\n\nProgram will abort.");
  EXPECT_TRUE(r.Events("status").empty());
}

}  // namespace
}  // namespace catalogue_test
