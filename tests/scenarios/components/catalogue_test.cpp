// The component catalogue on machines whose install log holds various sets of
// the maker's components: what is listed, where it hangs in the tree, and what
// each entry needs.
#include "catalogue_harness.h"
#include "components/component_remover.h"

namespace catalogue_test {
namespace {

struct Expected {
  const char* key;
  const char* parent;
  const char* section;
  std::string name;
  std::vector<std::string> needs;
};

TEST(Catalogue, AFullyLoggedMachineListsEveryComponentInCatalogueOrderWithItsPlaceAndNeeds) {
  const std::vector<Expected> all = {
      {"SnapIns", "", "Install", NameOf(12), {}},
      {"SnapInsHPOpenView", "SnapIns", "SnapIns", NameOf(9), {}},
      {"SnapInsUnicenter", "SnapIns", "SnapIns", NameOf(481), {}},
      {"KSINET", "", "Install", NameOf(279), {}},
      {"KSINETClientNew", "KSINET", "KSINET", NameOf(345), {}},
      {"KSINETClient", "KSINET", "KSINET", "Kestrion Application (Old Version)", {}},
      {"KSINETServer", "KSINET", "KSINET", NameOf(350), {}},
      {"KSINETSrvKSMessenger", "KSINETServer", "KSINET", NameOf(365), {}},
      {"KSINETSrvWebClient", "KSINETServer", "KSINET", NameOf(366), {}},
      {"KSINETSrvWDPOnly", "KSINETServer", "KSINET", NameOf(375), {}},
      {"KSINETSrvWDPWin", "KSINETSrvWDPOnly", "KSINET", NameOf(367), {}},
      {"KSINETSrvWDPUnix", "KSINETSrvWDPOnly", "KSINET", NameOf(368), {}},
      {"KSINETSrvWDPMac", "KSINETSrvWDPOnly", "KSINET", NameOf(369), {}},
      {"Kestrion", "", "Install", NameOf(16), {"Bidi"}},
      {"Network", "", "Install", NameOf(18), {"Bidi"}},
      {"TCPIP", "Network", "Network", NameOf(34), {"Bidi"}},
      {"VorLink", "Network", "Network", NameOf(35), {"Bidi"}},
      {"IPX", "Network", "Network", NameOf(48), {"Bidi"}},
      {"P2PClient", "Network", "Network", NameOf(47), {"Bidi"}},
      {"P2PServer", "Network", "Network", NameOf(46), {"Bidi"}},
      {"DLC", "Network", "Network", NameOf(37), {"Bidi"}},
      {"ServerAgent", "Network", "Network", NameOf(38), {"Bidi"}},
      {"Netware", "Network", "Network", NameOf(33), {"Bidi"}},
      {"UPS", "Network", "Network", "SNMP Service", {"Bidi"}},
      {"tivoli", "Network", "Network", NameOf(49), {"Bidi"}},
      {"PlugNPrint", "Network", "Network", NameOf(39), {"Bidi", "TCPIP"}},
      {"AdapterSetupUtility", "Network", "Network", NameOf(40), {"Bidi"}},
      {"DrvCfgTool", "", "Install", NameOf(242), {}},
      {"Scheduler", "", "Install", NameOf(377), {}},
      {"Bidi", "", "Install", NameOf(19), {}},
      {"StatusWindow", "", "Bidi", NameOf(276), {"Bidi"}},
  };
  // Logged in reverse, so that the order can only come from the catalogue.
  std::vector<std::string> keys;
  for (auto it = all.rbegin(); it != all.rend(); ++it) keys.push_back(it->key);
  json image = MachineWith(keys);
  SetIntranetClientDir(image, "C:\\Program Files\\Kestrion for Intranets");

  std::optional<std::size_t> count;
  const UnstItemArray items = Detect(image, &count);
  ASSERT_EQ(count, all.size());
  ASSERT_EQ(items.size(), static_cast<int>(all.size()));
  for (int i = 0; i < items.size(); ++i) {
    const Expected& want = all[static_cast<std::size_t>(i)];
    const UnstItem& item = items[i];
    EXPECT_EQ(item.key, want.key) << i;
    EXPECT_EQ(item.parentKey, want.parent) << want.key;
    EXPECT_EQ(item.logSection, want.section) << want.key;
    EXPECT_EQ(item.displayName, want.name) << want.key;
    EXPECT_EQ(item.requiredKeys, want.needs) << want.key;
    EXPECT_EQ(item.kind, 1) << want.key;
    // Only the web server lets its children go their own way, and only the
    // network protocol holds the network group's dependants firmly.
    EXPECT_EQ(item.followsChildren, item.key != "KSINETServer") << want.key;
    EXPECT_EQ(item.dependencyStrength, item.key == "TCPIP" ? 1 : 0) << want.key;
  }
}

TEST(Catalogue, AGroupThatIsNotInstalledHidesEverythingBelowIt) {
  struct Case {
    const char* what;
    std::vector<std::string> logged;
    std::vector<std::string> listed;
  };
  const std::vector<Case> cases = {
      {"server parts without their group", {"KSINETServer", "KSINETSrvWDPWin"}, {}},
      {"platform-only parts without the server", {"KSINET", "KSINETSrvWDPOnly", "KSINETSrvWDPWin"}, {"KSINET"}},
      {"a snap-in without its group", {"SnapInsUnicenter"}, {}},
      {"a protocol without the network group", {"TCPIP", "PlugNPrint"}, {}},
      {"the status window alone", {"StatusWindow"}, {"StatusWindow"}},
      {"children before their groups in the log",
       {"KSINETSrvWDPMac", "KSINETSrvWDPOnly", "KSINETServer", "KSINET"},
       {"KSINET", "KSINETServer", "KSINETSrvWDPOnly", "KSINETSrvWDPMac"}},
      {"keys the catalogue does not know", {"Printer", "Driver", "Sounds", "Uninstaller"}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(KeysOf(Detect(MachineWith(c.logged))), c.listed) << c.what;
}

TEST(Catalogue, TheOldIntranetClientIsListedOnlyWhileItsDirectoryIsRegistered) {
  const std::vector<std::string> logged = {"KSINET", "KSINETClient"};
  json noValue = MachineWith(logged);
  json emptyValue = MachineWith(logged);
  SetIntranetClientDir(emptyValue, "");
  json present = MachineWith(logged);
  SetIntranetClientDir(present, "D:\\KS");
  json dirButNotLogged = MachineWith({"KSINET"});
  SetIntranetClientDir(dirButNotLogged, "D:\\KS");

  const std::vector<std::string> groupOnly = {"KSINET"};
  const std::vector<std::string> withClient = {"KSINET", "KSINETClient"};
  EXPECT_EQ(KeysOf(Detect(noValue)), groupOnly);
  EXPECT_EQ(KeysOf(Detect(emptyValue)), groupOnly);
  EXPECT_EQ(KeysOf(Detect(present)), withClient);
  EXPECT_EQ(KeysOf(Detect(dirButNotLogged)), groupOnly);
}

TEST(Catalogue, ARecordMarkedNotInstalledIsNotListed) {
  json image = MachineWith({"Kestrion", "Bidi"});
  image["installLog"]["components"]["Kestrion"]["installed"] = false;
  EXPECT_EQ(KeysOf(Detect(image)), std::vector<std::string>{"Bidi"});
}

TEST(Catalogue, OnlyThePlugAndPrintEntryAlsoNeedsTheNetworkProtocol) {
  const UnstItemArray items = Detect(MachineWith({"Network", "tivoli", "PlugNPrint", "AdapterSetupUtility"}));
  ASSERT_EQ(KeysOf(items), (std::vector<std::string>{"Network", "tivoli", "PlugNPrint", "AdapterSetupUtility"}));
  const std::vector<std::string> bidi = {"Bidi"};
  EXPECT_EQ(items[1].requiredKeys, bidi);
  EXPECT_EQ(items[2].requiredKeys, (std::vector<std::string>{"Bidi", "TCPIP"}));
  EXPECT_EQ(items[3].requiredKeys, bidi);  // the addition is not carried on
}

TEST(Catalogue, AStringTheLibraryLacksGivesAnEmptyNameAndTheEntryStays) {
  json image = MachineWith({"Network", "UPS", "TCPIP", "Bidi"});
  image["resourceLibraries"][std::string(startup_test::kInstallDir) + "\\SETUPUI.DLL"]["strings"] = {{"19", "Bidi"}};
  const UnstItemArray items = Detect(image);
  ASSERT_EQ(KeysOf(items), (std::vector<std::string>{"Network", "TCPIP", "UPS", "Bidi"}));
  EXPECT_EQ(items[0].displayName, "");
  EXPECT_EQ(items[1].displayName, "");
  EXPECT_EQ(items[2].displayName, "SNMP Service");
  EXPECT_EQ(items[3].displayName, "Bidi");
}

TEST(Catalogue, OtherSoftwareIsAnyInstalledPartBesidesPrintersAndDrivers) {
  struct Case {
    const char* what;
    json install;  // the "Install" record's children; null for no record
    bool other;
  };
  const std::vector<Case> cases = {
      {"no record of what was installed", nullptr, false},
      {"printers and drivers only", json::array({"Printer", "Driver"}), false},
      {"in any case", json::array({"PRINTER", "driver"}), false},
      {"a product beside them", json::array({"Printer", "Kestrion", "Driver"}), true},
      {"a product alone", json::array({"Scheduler"}), true},
      {"empty entries between", "Printer\n\n\nDriver\n", false},
  };
  for (const Case& c : cases) {
    json image = MachineWith({});
    if (!c.install.is_null()) image["installLog"]["components"]["Install"] = {{"children", c.install}};
    sim::LoadError error;
    auto machine = sim::Machine::FromJson(image, &error);
    ASSERT_TRUE(machine) << error.ToString();
    CUnstMain app(machine->platform());
    ASSERT_TRUE(machine->platform().installLog.InitializeOle().ok());
    {
      ComponentRemover remover(app.Components());
      EXPECT_EQ(remover.HasOtherSoftware(), c.other) << c.what;
    }
    machine->platform().installLog.UninitializeOle();
  }
}

}  // namespace
}  // namespace catalogue_test
