// The log's records of printers and drivers that are gone, and the final
// clean-up when the last of the maker's products goes: the uninstaller's own
// record, the shared driver files, the log's store and the per-printer
// settings that no printer uses any more.
#include <string>
#include <vector>

#include "components/component_remover.h"
#include "components/log_lists.h"
#include "maker/maker_identity.h"
#include "platform/text.h"
#include "printing/model_list.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_driver_set.h"
#include "printing/printer_list.h"
#include "system/deferred_deleter.h"
#include "system/registry_helpers.h"

namespace {
constexpr std::string_view kUninstallerRecord = "UninstallerBREVIK";
constexpr std::string_view kDriversRecord = "Drivers";
// A child key is the group word and one separator before the name.
constexpr std::size_t kPrinterChildPrefix = 8;  // "Printer" and its separator
constexpr std::size_t kDriverChildPrefix = 7;   // "Driver" and its separator
constexpr std::string_view kDevModesKey = ".DEFAULT\\Printers\\DevModes2";
constexpr std::string_view kKestrionWindowsKey = "Software\\Vorkast\\Kestrion\\1.0\\KSWindows\\kestrion";
constexpr std::size_t kMaxPath = 260;
// The server needs a moment after the last release before its store is free.
constexpr std::uint32_t kStoreReleasePauseMs = 1000;

// A child key too short to hold a name names no printer or driver at all;
// its record is kept rather than matched against an empty name.
std::string NameAfter(const std::string& child, std::size_t prefix) {
  return child.size() > prefix ? child.substr(prefix) : std::string();
}

std::string JoinPath(std::string dir, std::string_view name) {
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir + std::string(name);
}

bool IsGone(const CPrinterList& printers, const std::string& name) {
  const CPrinter* printer = printers.FindByName(name);
  return printer == nullptr || printer->state == RemovalState::Removed;
}
}  // namespace

void ComponentRemover::RemovePrinterRecords(const CPrinterList& printers) {
  std::vector<std::string> children;
  SplitList(Log().GetList(plat::logkind::Children, "Printer"), children);
  for (const auto& child : children) {
    const std::string name = NameAfter(child, kPrinterChildPrefix);
    if (!name.empty() && IsGone(printers, name)) RemoveLoggedComponent(child, {});
  }
}

void ComponentRemover::RemoveDriverRecords(const CPrinterDriverList& drivers) {
  std::vector<std::string> children;
  SplitList(Log().GetList(plat::logkind::Children, "Driver"), children);
  for (const auto& child : children) {
    const std::string name = NameAfter(child, kDriverChildPrefix);
    if (name.empty()) continue;
    const CPrinterDriverSet* set = drivers.FindSet(name);
    if (set == nullptr || !set->AnyDriverPresent()) RemoveLoggedComponent(child, {});
  }
}

void ComponentRemover::RemoveStaleDevModes(const CPrinterList& printers) {
  plat::Registry& registry = platform_.registry;
  plat::HKey raw = plat::kNoHandle;
  if (registry.OpenKey(plat::kHkeyUsers, kDevModesKey, plat::keyaccess::AllAccess, &raw) != winerr::Success) return;
  plat::UniqueKey key(registry, raw);
  std::vector<std::string> stale;
  for (std::uint32_t index = 0;; ++index) {
    std::string name;
    plat::RegValue value;
    const plat::WinError error = registry.EnumValue(key.get(), index, &name, &value);
    // A value too large for the buffer still gives its name.
    if (error != winerr::Success && error != winerr::MoreData) break;
    if (IsGone(printers, name)) stale.push_back(name);
  }
  // Deleted after the walk, which would otherwise skip the value after each one.
  for (const auto& name : stale) static_cast<void>(registry.DeleteValue(key.get(), name));
}

std::string ComponentRemover::RemoveUninstallerRecord(bool withSelf) {
  plat::Registry& registry = platform_.registry;
  DeferredDeleter& deleter = context_.deleter;
  std::string ownPath;
  if (withSelf) {
    ownPath = platform_.process.ModulePath();
    if (ownPath.size() >= kMaxPath) ownPath.clear();
  }
  // A key that cannot be deleted stays; nothing is reported for it.
  if (context_.removeAll)
    static_cast<void>(RegDeleteValueAndPrune(registry, plat::kHkeyLocalMachine, "Software\\Vorkast\\Kestrion", "", true));
  static_cast<void>(RegDeleteValueAndPrune(registry, plat::kHkeyLocalMachine, "software\\vorkast\\web_update", "", true));

  RemoveLoggedShellItems(kUninstallerRecord);
  bool ownFileLogged = false;
  std::vector<std::string> files;
  std::vector<std::string> dirs;
  SplitList(Log().GetList(plat::logkind::Files, kUninstallerRecord), files);
  SplitList(Log().GetList(plat::logkind::Directories, kUninstallerRecord), dirs);
  for (const auto& file : files) {
    // The running program goes after the process has ended.
    if (!ownPath.empty() && deleter.IsRunningProgram(file)) {
      ownFileLogged = true;
      continue;
    }
    DeleteLoggedPath(file, 1);
  }
  for (const auto& dir : dirs) DeleteLoggedPath(dir, 2);
  RemoveLoggedRegistry(kUninstallerRecord);

  const bool otherBrand = OtherBrandUninstallers(registry, maker::kOwnUninstallDirValue);
  const std::string group = Log().GetProperty(kUninstallerRecord, "BaseGroup");
  if (!group.empty()) ShellDelete(group);

  if (otherBrand) {
    Log().ForgetComponent(kUninstallerRecord);
  } else {
    // The last product of the family: what all of them shared goes too.
    RemoveLoggedRegistry(kDriversRecord);
    RemoveLoggedFiles(kDriversRecord, {});
    plat::FileSystem& fs = platform_.files;
    const std::string systemDir = fs.SystemDirectory();
    const std::string windowsDir = fs.WindowsDirectory();
    if (IsWin9x(context_.os()) && !systemDir.empty() && !windowsDir.empty()) {
      static_cast<void>(deleter.DeleteFileOrDefer(JoinPath(systemDir, "newvorps.ini")));
      static_cast<void>(deleter.DeleteFileOrDefer(JoinPath(systemDir, "vorps.ini")));
      static_cast<void>(deleter.DeleteFileOrDefer(JoinPath(windowsDir, "vkpcl5c.ini")));
      static_cast<void>(deleter.DeleteFileOrDefer(JoinPath(windowsDir, "vkpcl5d.ini")));
    }
    if (!systemDir.empty()) {
      static_cast<void>(deleter.DeleteFileOrDefer(JoinPath(systemDir, "vorcfi.dll")));
      static_cast<void>(deleter.DeleteFileOrDefer(JoinPath(systemDir, "vorcfi16.dll")));
    }
    // The store can only go once the server has let it go; no log call
    // follows.
    const std::string store = Log().GetStorePath(0);
    log_.reset();
    platform_.clock.Sleep(kStoreReleasePauseMs);
    if (!store.empty()) static_cast<void>(deleter.DeleteFileOrDefer(store));
  }
  static_cast<void>(RegDeleteTree(registry, plat::kHkeyCurrentUser, kKestrionWindowsKey));
  return ownFileLogged ? ownPath : std::string();
}
