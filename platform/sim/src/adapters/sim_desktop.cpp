#include "sim_desktop.h"

#include <algorithm>
#include <array>

#include "model/file_tree.h"
#include "model/machine_state.h"
#include "model/tree_order.h"
#include "sim_ports.h"
#include "platform/desktop.h"
#include "platform/win_errors.h"

namespace sim {

namespace {
// The longest path the shell's buffer of MAX_PATH + 1 takes with both
// terminating zeros, and ERROR_FILENAME_EXCED_RANGE for a longer one.
constexpr std::size_t kShellPathRoom = 259;
constexpr std::uint32_t kFilenameExceedsRange = 206;
}  // namespace

namespace {
constexpr std::array kKnownPrivileges = {
    "SeAssignPrimaryTokenPrivilege", "SeAuditPrivilege",       "SeBackupPrivilege",
    "SeChangeNotifyPrivilege",       "SeCreateGlobalPrivilege", "SeCreatePagefilePrivilege",
    "SeDebugPrivilege",              "SeImpersonatePrivilege",  "SeIncreaseBasePriorityPrivilege",
    "SeIncreaseQuotaPrivilege",      "SeLoadDriverPrivilege",   "SeManageVolumePrivilege",
    "SeRemoteShutdownPrivilege",     "SeRestorePrivilege",      "SeSecurityPrivilege",
    "SeShutdownPrivilege",           "SeSystemEnvironmentPrivilege", "SeSystemtimePrivilege",
    "SeTakeOwnershipPrivilege",      "SeTcbPrivilege",          "SeUndockPrivilege",
};

bool ContainsName(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return text::IEquals(n, name); });
}

WindowEntry* FindWindow(MachineData& d, plat::WindowId id) {
  for (auto& w : d.windows)
    if (w.id == id) return &w;
  return nullptr;
}
}  // namespace

bool IsKnownPrivilege(std::string_view name) {
  return std::any_of(kKnownPrivileges.begin(), kKnownPrivileges.end(),
                     [&](const char* p) { return text::IEquals(p, name); });
}

plat::WinError SimDesktop::EnablePrivilege(std::string_view name) {
  if (auto f = m_.Fault("Desktop.EnablePrivilege", name)) return *f;
  if (!m_.data.IsNT()) return winerr::CallNotImplemented;
  if (!IsKnownPrivilege(name)) return winerr::NoSuchPrivilege;
  auto& token = m_.data.token;
  if (token.privileges && !ContainsName(*token.privileges, name)) return winerr::NotAllAssigned;
  if (!ContainsName(token.enabledPrivileges, name)) token.enabledPrivileges.emplace_back(name);
  m_.Record({{"event", "privilege"}, {"name", std::string(name)}});
  return winerr::Success;
}

std::vector<plat::WindowId> SimDesktop::TopLevelWindows() {
  std::vector<plat::WindowId> ids;
  if (m_.Fault("Desktop.TopLevelWindows", "")) return ids;
  for (const auto& w : m_.data.windows) ids.push_back(static_cast<plat::WindowId>(w.id));
  return ids;
}

plat::WinError SimDesktop::SendWithTimeout(plat::WindowId id, std::uint32_t msg, std::uintptr_t wparam,
                                          std::intptr_t lparam, std::uint32_t flags, std::uint32_t timeoutMs,
                                          std::uintptr_t* result) {
  WindowEntry* w = FindWindow(m_.data, id);
  if (auto f = m_.Fault("Desktop.SendWithTimeout", w ? w->title : std::string())) return *f;
  if (w == nullptr) return winerr::InvalidWindowHandle;
  nlohmann::json entry{{"event", "windowMessage"}, {"window", w->id}, {"title", w->title}, {"msg", msg},
                       {"wparam", static_cast<std::uint64_t>(wparam)}, {"lparam", static_cast<std::int64_t>(lparam)},
                       {"flags", flags}};
  if (w->hung) {
    entry["answered"] = false;
    ports_.AdvanceTime(timeoutMs);
    m_.Record(std::move(entry));
    return winerr::Timeout;
  }
  const std::uintptr_t answer = msg == plat::desk::WmQueryEndSession ? (w->refusesEndSession ? 0 : 1) : 0;
  if (result) *result = answer;
  entry["answered"] = true;
  entry["result"] = static_cast<std::uint64_t>(answer);
  m_.Record(std::move(entry));
  return winerr::Success;
}

plat::WinError SimDesktop::TerminateWindowProcess(plat::WindowId id) {
  WindowEntry* w = FindWindow(m_.data, id);
  if (auto f = m_.Fault("Desktop.TerminateWindowProcess", w ? w->title : std::string())) return *f;
  if (w == nullptr) return winerr::InvalidWindowHandle;
  const std::uint32_t process = w->process;
  m_.Record({{"event", "processTerminated"}, {"process", process}, {"window", w->id}, {"title", w->title}});
  // Every window of the process goes with it.
  auto& windows = m_.data.windows;
  windows.erase(std::remove_if(windows.begin(), windows.end(), [&](const WindowEntry& e) { return e.process == process; }),
                windows.end());
  return winerr::Success;
}

plat::WinError SimDesktop::BroadcastWinIniChange(std::string_view section) {
  if (auto f = m_.Fault("Desktop.BroadcastWinIniChange", section)) return *f;
  // Windows tells every top-level window; what a test wants to know is that
  // the section was announced, so one journal entry stands for all.
  m_.Record({{"event", "broadcast"}, {"message", "WM_WININICHANGE"}, {"section", std::string(section)}});
  return winerr::Success;
}

plat::WinError SimDesktop::Shutdown(std::uint32_t flags, std::uint32_t reason) {
  if (auto f = m_.Fault("Desktop.Shutdown", std::to_string(flags))) return *f;
  constexpr std::uint32_t kPowerOff = 0x8;
  const bool endsSystem = (flags & (plat::desk::EwxShutdown | plat::desk::EwxReboot | kPowerOff)) != 0;
  // On NT a shutdown or restart needs the shutdown privilege enabled first.
  if (m_.data.IsNT() && endsSystem && !ContainsName(m_.data.token.enabledPrivileges, "SeShutdownPrivilege"))
    return winerr::PrivilegeNotHeld;
  nlohmann::json entry{{"event", "restart"}, {"how", "ExitWindowsEx"}, {"flags", flags}};
  if (reason != 0) entry["reason"] = reason;
  m_.Record(std::move(entry));
  return winerr::Success;
}

}  // namespace sim

namespace sim {

// FindWindow: an empty class or title stands for "any"; both compare
// without case.
bool SimDesktop::HasTopLevelWindow(std::string_view className, std::string_view title) {
  const std::string argument = std::string(className) + "|" + std::string(title);
  if (m_.Fault("Desktop.HasTopLevelWindow", argument)) return false;
  return std::any_of(m_.data.windows.begin(), m_.data.windows.end(), [&](const WindowEntry& w) {
    return (className.empty() || text::IEquals(w.className, className)) && (title.empty() || text::IEquals(w.title, title));
  });
}

// The shell deletes a folder's contents deepest first in name order,
// read-only or not, and stops at the first entry it cannot delete (a held
// file, or the current directory): what it deleted before stays deleted,
// that entry and everything after it stay. A path with a wildcard, or one
// too long for the shell's buffer, is refused as the adapter refuses it.
plat::WinError SimDesktop::ShellDelete(std::string_view rawPath) {
  if (auto e = m_.Fault("Desktop.ShellDelete", rawPath)) return *e;
  if (rawPath.empty() || rawPath.find_first_of("*?") != std::string_view::npos) return winerr::InvalidName;
  if (rawPath.size() > kShellPathRoom) return plat::WinError(kFilenameExceedsRange);
  MachineData& d = m_.data;
  const std::string path = ports_.files.Resolve(rawPath);
  std::vector<std::string> targets;
  if (d.files.count(path)) {
    targets.push_back(d.files.find(path)->second.path);
  } else if (IsDrive(path) && !path.empty()) {
    return winerr::AccessDenied;  // a drive is not deleted
  }
  plat::WinError result = targets.empty() ? winerr::FileNotFound : winerr::Success;
  for (const std::string& target : targets) {
    for (const std::string& entry : TreeDeletionOrder(d, target)) {
      const auto it = d.files.find(entry);
      const FileEntry& f = it->second;
      const bool held = f.IsDirectory() ? text::IEquals(entry, d.currentDirectory) : IsLocked(d, f);
      if (held) {
        result = winerr::SharingViolation;
        break;
      }
      m_.Record({{"event", f.IsDirectory() ? "dirRemoved" : "fileDeleted"}, {"path", f.path}, {"by", "shell"}});
      d.files.erase(it);
    }
    if (result.failed()) break;
  }
  m_.Record({{"event", "shellDelete"}, {"path", path}, {"result", result.code()}});
  return result;
}

}  // namespace sim
