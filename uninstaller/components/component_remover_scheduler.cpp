// The web-update scheduler: whichever way its installer scheduled the update
// (a log-on value, a job of the network scheduling service, or a Task
// Scheduler task) is undone, then its base directory is emptied except for
// the uninstaller's own files.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "components/clearable_directory.h"
#include "components/component_remover.h"
#include "components/log_lists.h"
#include "maker/maker_identity.h"
#include "platform/text.h"
#include "system/registry_helpers.h"

namespace {

std::string CollapseDoubledBackslashes(std::string text) {
  for (std::size_t at = text.find("\\\\"); at != std::string::npos; at = text.find("\\\\", at)) text.erase(at, 1);
  return text;
}

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

void ComponentRemover::RemoveScheduler() {
  const std::string type = Log().GetProperty(maker::component::kScheduler, maker::kSchedulerTypeProperty);
  if (text::IEquals(type, maker::kSchedulerAtLogOn)) {
    plat::HKey run = 0;
    if (platform_.registry.OpenKey(plat::kHkeyLocalMachine, maker::kRunKey, plat::keyaccess::Write, &run) ==
        winerr::Success) {
      static_cast<void>(platform_.registry.DeleteValue(run, maker::kWebUpdateRunValue));
      platform_.registry.Close(run);
    }
  } else if (text::IEquals(type, maker::kSchedulerAtJob)) {
    static_cast<void>(RemoveAtJob());
  } else if (text::IEquals(type, maker::kSchedulerTask)) {
    static_cast<void>(RemoveScheduledTask());
  }
  const std::string baseDir = Log().GetProperty(maker::component::kScheduler, maker::kBaseDirProperty);
  if (!baseDir.empty()) ClearBaseDirectory(baseDir);
  RemoveLoggedComponent(maker::component::kScheduler, {});
}

bool ComponentRemover::RemoveAtJob() {
  std::vector<plat::ScheduledJob> jobs;
  if (platform_.jobScheduler.EnumJobs(&jobs) != winerr::Success) return false;
  plat::Registry& reg = platform_.registry;
  const std::string expected = CollapseDoubledBackslashes(
      RegGetString(reg, plat::kHkeyLocalMachine, maker::kWebUpdateKey, maker::kWebUpdateDirValue).value_or("") +
      std::string(maker::kWebUpdateProgram) +
      RegGetString(reg, plat::kHkeyLocalMachine, maker::kWebUpdateKey, maker::kWebUpdateLanguagesValue).value_or(""));
  std::optional<std::uint32_t> match;
  // The last match wins: it is the job the installer added most recently.
  for (const plat::ScheduledJob& job : jobs) {
    if (job.command == expected) match = job.id;
  }
  if (!match) return false;
  return platform_.jobScheduler.DeleteJob(*match) == winerr::Success;
}

bool ComponentRemover::RemoveScheduledTask() {
  const std::string taskName = Log().GetProperty(maker::component::kScheduler, maker::kSchedulerTaskProperty);
  if (!platform_.desktop.HasTopLevelWindow(maker::kTaskAgentWindowClass, maker::kTaskAgentWindowTitle)) {
    // Without its agent the Task Scheduler cannot delete a task.
    std::string agent;
    if (platform_.processes.FindOnSearchPath(maker::kTaskAgentProgram, &agent) == winerr::Success) {
      plat::ProcessLaunch launch;
      // Quoted when it holds a blank, so that no other program along the
      // path ("C:\Program.exe") is started instead.
      launch.commandLine = agent.find(' ') == std::string::npos ? agent : "\"" + agent + "\"";
      launch.newConsoleGroup = true;
      static_cast<void>(platform_.processes.StartDetached(launch));
    }
  }
  return platform_.taskScheduler.DeleteTask(taskName) == plat::TaskDeletion::Deleted;
}

namespace {

// Empties `dir` except for the files of `keep`; subdirectories go once
// emptied. Nothing is deferred: what is held open stays.
void ClearDirectory(plat::FileSystem& files, const std::string& dir, const std::vector<std::string>& keep) {
  std::vector<plat::FindEntry> entries;
  if (files.Find(dir + "\\*", &entries) != winerr::Success) return;
  for (const plat::FindEntry& entry : entries) {
    if (IsDotEntry(entry.name)) continue;
    const std::string full = dir + "\\" + entry.name;
    if ((entry.attributes & plat::fileattr::Directory) != 0) {
      // A junction is removed as a link, never walked: it may lead anywhere.
      if ((entry.attributes & plat::fileattr::ReparsePoint) == 0) ClearDirectory(files, full, keep);
      static_cast<void>(files.RemoveDir(full));
      continue;
    }
    const bool kept = std::any_of(keep.begin(), keep.end(), [&](const std::string& k) { return text::IEquals(k, full); });
    if (!kept) static_cast<void>(files.RemoveFile(full));
  }
}

}  // namespace

void ComponentRemover::ClearBaseDirectory(std::string_view dir) {
  ProtectedPaths protectedPaths(platform_.files, platform_.registry, platform_.spooler);
  if (!IsClearableDirectory(dir, protectedPaths)) return;
  std::vector<std::string> keep;
  SplitList(Log().GetList(1, maker::component::kUninstallerFiles), keep);
  plat::FileSystem& files = platform_.files;
  const std::string previous = files.CurrentDirectory();
  if (files.SetCurrentDir(dir) != winerr::Success) return;
  // Full paths from here on, so that the keep list compares whole paths.
  ClearDirectory(files, files.CurrentDirectory(), keep);
  static_cast<void>(files.SetCurrentDir(previous));
}
