// The catalogue of the maker's software components: every component the
// uninstaller knows, in the order it is looked for, with its place in the
// selection tree, the log record it was installed under, its display text and
// what it needs. It is the only place where these are set; the removers and
// the script compare keys against it without case.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace catalogue {

// Where the old web-edition client keeps its directory: the log alone does not
// say whether that client is still there, its own uninstaller clears the value.
inline constexpr std::string_view kIntranetClientKey = "Software\\Vorkast\\Kestrion for Intranets";
inline constexpr std::string_view kIntranetClientDirValue = "Install_Dir";
inline constexpr std::string_view kIntranetClient = "KSINETClient";

// The component nearly every other one talks through.
inline constexpr std::string_view kBidi = "Bidi";

// What happens to the running "requires" list before a row is tried.
enum class RequiresBefore { Keep, Clear, SetBidi };

struct Row {
  std::string_view key;
  std::string_view parentKey;   // empty for a top-level entry
  std::string_view logSection;  // "Install" for the top-level products
  std::uint32_t textId;         // string of the resource library; 0 for `literal`
  std::string_view literal;
  RequiresBefore requiresBefore = RequiresBefore::Keep;
  std::string_view alsoRequires = {};  // appended to this entry only
  bool followsChildren = true;
  int dependencyStrength = 0;
};

// A row with a parent is tried only when that parent was added in the same
// run: the rows of a group follow the group's own row.
inline constexpr std::array<Row, 31> kRows = {{
    {"SnapIns", "", "Install", 12, "", RequiresBefore::Clear},
    {"SnapInsHPOpenView", "SnapIns", "SnapIns", 9, ""},
    {"SnapInsUnicenter", "SnapIns", "SnapIns", 481, ""},
    {"KSINET", "", "Install", 279, ""},
    {"KSINETClientNew", "KSINET", "KSINET", 345, ""},
    {"KSINETClient", "KSINET", "KSINET", 0, "Kestrion Application (Old Version)"},
    {"KSINETServer", "KSINET", "KSINET", 350, "", RequiresBefore::Keep, {}, false},
    {"KSINETSrvKSMessenger", "KSINETServer", "KSINET", 365, ""},
    {"KSINETSrvWebClient", "KSINETServer", "KSINET", 366, ""},
    {"KSINETSrvWDPOnly", "KSINETServer", "KSINET", 375, ""},
    {"KSINETSrvWDPWin", "KSINETSrvWDPOnly", "KSINET", 367, ""},
    {"KSINETSrvWDPUnix", "KSINETSrvWDPOnly", "KSINET", 368, ""},
    {"KSINETSrvWDPMac", "KSINETSrvWDPOnly", "KSINET", 369, ""},
    {"Kestrion", "", "Install", 16, "", RequiresBefore::SetBidi},
    {"Network", "", "Install", 18, ""},
    {"TCPIP", "Network", "Network", 34, "", RequiresBefore::Keep, {}, true, 1},
    {"VorLink", "Network", "Network", 35, ""},
    {"IPX", "Network", "Network", 48, ""},
    {"P2PClient", "Network", "Network", 47, ""},
    {"P2PServer", "Network", "Network", 46, ""},
    {"DLC", "Network", "Network", 37, ""},
    {"ServerAgent", "Network", "Network", 38, ""},
    {"Netware", "Network", "Network", 33, ""},
    {"UPS", "Network", "Network", 0, "SNMP Service"},
    {"tivoli", "Network", "Network", 49, ""},
    {"PlugNPrint", "Network", "Network", 39, "", RequiresBefore::Keep, "TCPIP"},
    {"AdapterSetupUtility", "Network", "Network", 40, ""},
    {"DrvCfgTool", "", "Install", 242, "", RequiresBefore::Clear},
    {"Scheduler", "", "Install", 377, "", RequiresBefore::Clear},
    {"Bidi", "", "Install", 19, ""},
    {"StatusWindow", "", "Bidi", 276, "", RequiresBefore::SetBidi},
}};

}  // namespace catalogue
