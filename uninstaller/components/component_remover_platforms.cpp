// The maker's add-ins to network-management platforms: the lines they put in
// the platforms' configuration files, and what the platforms' own tools
// registered for them.
#include <array>
#include <cctype>
#include <charconv>
#include <optional>

#include "components/component_remover.h"
#include "components/config_file_filters.h"
#include "maker/maker_identity.h"
#include "system/registry_helpers.h"
#include "system/service_control.h"

namespace {

constexpr std::string_view kNnmKey = "Software\\Hewlett-Packard\\OpenView\\Network Node Manager";
constexpr std::string_view kNnmConsoleKey = "Software\\Hewlett-Packard\\OpenView\\Network Node Manager\\OVConsole";
// The spelling the add-in's installer used for the same key.
constexpr std::string_view kNnmVendorLinesKey = "SOFTWARE\\Hewlett-Packard\\Openview\\Network Node Manager";
// Where the NetView add-in's installer registered the platform: a path that
// repeats the root's name and ends in a value's name, so it names a key only
// on a machine where that installer wrote exactly this.
constexpr std::string_view kNetViewKey =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Tivoli\\TME 10 NetView\\CurrentVersion\\DiscoverySeedFile";
constexpr std::string_view kUnicenterKey = "Software\\ComputerAssociates\\CA-Unicenter\\CurrentVersion";
constexpr std::string_view kUnicenterService = "CA Unicenter";

// The maker's printer objects in the platform's object identifier files.
constexpr std::string_view kNnmSymbolLine = "1.3.6.1.4.1.7277.1:Device:Netrelle";
constexpr std::string_view kNnmTypeLine = "1.3.6.1.4.1.7277.1:Netrelle:Netrelle";
// Trusted commands exist from Network Node Manager 6.20 on.
constexpr std::string_view kNnmTrustedCommand = "sss=$OV_BIN/sss";
constexpr std::string_view kVendorWord = "vorkast";

// The platform's tools, run from its directory in this order: the MIB, the
// trap events of the maker's printers, then a reload of events and fields.
constexpr std::array<std::string_view, 15> kNnmCommands = {
    "bin\\xnmloadmib -unload vorkast1.mib",  "bin\\xnmevents -delete irCleared",
    "bin\\xnmevents -delete irCondition",    "bin\\xnmevents -delete irOutputfull",
    "bin\\xnmevents -delete irLoadPaper",    "bin\\xnmevents -delete irPaperJam",
    "bin\\xnmevents -delete irTonerLow",     "bin\\xnmevents -delete irServiceReq",
    "bin\\xnmevents -delete irDiskErr",      "bin\\xnmevents -delete irCoverOpen",
    "bin\\xnmevents -delete irPageComplexity", "bin\\xnmevents -delete irOffline",
    "bin\\xnmevents -delete irClearedTypeII", "bin\\xnmtrap -event",
    "bin\\ovw -fields",
};
// The percent sign is part of the message identifier, not a variable.
constexpr std::string_view kUnicenterCommand = "\\bin\\cautil delete msgrec msgid='%CATD_I_060, SNMPTRAP: -c * 7277*'";

// A registry value of at most this many bytes, terminator included.
constexpr std::size_t kMaxPathValue = 255;

// One decimal number as scanf's "%d" takes it: blanks, a sign, digits.
std::optional<long long> ScanNumber(std::string_view& s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  long long value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc()) return std::nullopt;
  s.remove_prefix(static_cast<std::size_t>(end - s.data()));
  return value;
}

// "%d.%d" later than 6.19; any other text is no such version.
bool HasTrustedCommands(std::string_view version) {
  const std::optional<long long> major = ScanNumber(version);
  if (!major || version.empty() || version.front() != '.') return false;
  version.remove_prefix(1);
  const std::optional<long long> minor = ScanNumber(version);
  if (!minor) return false;
  return *major > 6 || (*major == 6 && *minor > 19);
}

}  // namespace

void ComponentRemover::RemoveOpenViewSnapIn() {
  RemoveLoggedComponent("SnapInsHPOpenView", {});
  plat::Registry& reg = platform_.registry;
  const std::string nnm = RegGetString(reg, plat::kHkeyLocalMachine, kNnmKey, "PathName").value_or("");
  if (nnm.empty()) return;

  // The platform's tools would bring up its console on every change, so it
  // stays shut while they run. A setting that cannot be read comes back as
  // all bits set.
  const auto savedSetting = [&](std::string_view name) -> std::uint32_t {
    const std::optional<std::uint8_t> first = RegGetFirstByte(reg, plat::kHkeyLocalMachine, kNnmConsoleKey, name);
    return first ? *first : 0xFFFFFFFFu;
  };
  const std::uint32_t launch = savedSetting("LaunchViewer");
  const std::uint32_t popup = savedSetting("AutoPopup");
  (void)RegSetDword(reg, plat::kHkeyLocalMachine, kNnmConsoleKey, "LaunchViewer", 0);
  (void)RegSetDword(reg, plat::kHkeyLocalMachine, kNnmConsoleKey, "AutoPopup", 0);

  plat::FileSystem& files = platform_.files;
  (void)FilterConfigFile(files, nnm + "\\conf\\oid_to_sym", kNnmSymbolLine, false);
  (void)FilterConfigFile(files, nnm + "\\conf\\oid_to_type", kNnmTypeLine, false);
  const std::string version = RegGetString(reg, plat::kHkeyLocalMachine, kNnmKey, "CurrentVersion").value_or("");
  if (HasTrustedCommands(version))
    (void)FilterConfigFile(files, nnm + "\\conf\\trustedCmds.conf\\Nnm", kNnmTrustedCommand, false);

  for (std::string_view command : kNnmCommands) RunCommand(nnm + "\\" + std::string(command), true);

  (void)RegSetDword(reg, plat::kHkeyLocalMachine, kNnmConsoleKey, "LaunchViewer", launch);
  (void)RegSetDword(reg, plat::kHkeyLocalMachine, kNnmConsoleKey, "AutoPopup", popup);
}

void ComponentRemover::RemoveUnicenterSnapIn() {
  RemoveLoggedComponent("SnapInsUnicenter", {});
  plat::Registry& reg = platform_.registry;
  const std::string ca = RegGetString(reg, plat::kHkeyLocalMachine, kUnicenterKey, "InstallPath").value_or("");
  const std::string install =
      RegGetString(reg, plat::kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir")
          .value_or("") +
      "\\" + std::string(maker::kInstallSubdirectory);
  // Both run even without the platform's directory: a command that cannot
  // start is skipped.
  RunCommand(ca + std::string(kUnicenterCommand), true);
  RunCommand(install + "\\ucunst", true);

  // The service reads its message records when it starts.
  ServiceControl service(platform_.services, platform_.clock, std::string(kUnicenterService));
  if (service.IsRunning()) {
    (void)service.Stop(30);
    platform_.clock.Sleep(1000);
    (void)service.Start();
  }
}

void ComponentRemover::RemoveOpenViewFiles() {
  RemoveLoggedComponent("HPOpenView", {});
  RemoveVendorLines(plat::kHkeyLocalMachine, kNnmVendorLinesKey, "\\conf");
}

void ComponentRemover::RemoveNetViewFiles() {
  RemoveLoggedComponent("NetView", {});
  RemoveVendorLines(plat::kHkeyLocalMachine, kNetViewKey, "\\conf\\c");
}

void ComponentRemover::RemoveVendorLines(plat::HKey root, std::string_view keyPath, std::string_view confSubdir) {
  const std::optional<std::string> pathName = RegGetString(platform_.registry, root, keyPath, "PathName");
  // A value too long for its buffer cannot be read; an empty one names no
  // platform directory, and the files it would lead to are not the platform's.
  if (!pathName || pathName->empty() || pathName->size() >= kMaxPathValue) return;
  const std::string conf = *pathName + std::string(confSubdir);
  DropVendorLines(platform_.files, conf + "\\oid_to_type", kVendorWord, true);
  DropVendorLines(platform_.files, conf + "\\oid_to_sym", kVendorWord, false);
}
