// Every file and directory deletion of a run goes through one deleter. What
// cannot be deleted now (a driver file the spooler holds, a running
// program) is collected for a retry around a spooler stop, or scheduled for
// the next start of Windows: through the system's delayed move on the NT
// family, through WinInit.INI and a run-once batch file on the 9x family.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/spooler.h"
#include "system/protected_paths.h"

class DeferredDeleter {
 public:
  DeferredDeleter(plat::FileSystem& files, plat::Registry& registry, plat::Spooler& spooler);

  // Deletes a file (read-only or not). True when it is gone, collected or
  // scheduled by a delayed move; false for an empty or missing path and
  // when the file is only listed for WinInit.INI (it is still there).
  [[nodiscard]] bool DeleteFileOrDefer(std::string_view path);
  // Removes an empty directory, or collects or schedules it when that fails.
  void RemoveDirOrDefer(std::string_view path);
  // Removes a directory with everything under it. Refuses (false, nothing
  // touched) roots, paths shorter than 4 characters and protected system
  // directories with their ancestors.
  [[nodiscard]] bool DeleteTree(std::string_view path);
  // Whether DeleteTree refuses `path`; for other deletions of whole folders
  // (the shell's) that must keep to the same rule.
  [[nodiscard]] bool RefusesTree(std::string_view path);
  // Removes the empty subdirectories under `path`; true when `path` now
  // holds nothing but files already collected. `path` itself stays.
  [[nodiscard]] bool RemoveEmptyTree(std::string_view path);
  bool IsDeferredFile(std::string_view path) const;
  // Moves `source` to `destination` at the next start of Windows; an empty
  // destination deletes. False when the entry only waits for
  // FlushRenameEntries, or when nothing could be scheduled.
  [[nodiscard]] bool ScheduleOnReboot(std::string_view source, std::string_view destination);
  // Tries the collected files and directories again; with `keepCollecting`
  // false what is still locked is scheduled. True when nothing is left.
  [[nodiscard]] bool RetryDeferred(bool keepCollecting);
  // Writes the waiting rename entries into WinInit.INI and forgets them;
  // keeps them when the file cannot be read or written.
  void FlushRenameEntries();

  bool HasDeferred() const { return !deferredFiles_.empty() || !deferredDirs_.empty(); }
  // Lines "destination=source" waiting for WinInit.INI, no two equal.
  const std::vector<std::string>& RenameEntries() const { return renameEntries_; }
  // Files that could not be deleted while collecting, in the order met.
  const std::vector<std::string>& DeferredFiles() const { return deferredFiles_; }
  // Directories likewise, in descending order ignoring case, so that a
  // subdirectory comes before its parent.
  const std::vector<std::string>& DeferredDirs() const { return deferredDirs_; }

  // On: locked files and directories are collected for a later retry. Off:
  // they are scheduled for the next restart at once.
  bool collectMode = false;
  // Something was scheduled for the next start of Windows; never cleared.
  bool rebootNeeded = false;
  // The running program (full path; empty for none). A tree deletion leaves
  // it, and the folders that hold it, to the uninstaller's own removal after
  // the process has ended: collected, they would only wait for a restart.
  std::string runningProgram;
  // `path` names the running program, in its long or its short (8.3)
  // spelling, whichever it was started by.
  [[nodiscard]] bool IsRunningProgram(std::string_view path) const;

 private:
  // `path` is the running program or a folder that holds it, spelled
  // either way.
  bool HoldsRunningProgram(std::string_view path) const;
  bool MatchesRunningProgram(std::string_view path, bool orFolder) const;
  void DeleteTreeContents(const std::string& path);
  void CollectDirectory(std::string_view path);
  bool AddToRebootBatch(std::string_view directory);
  bool AddRenameEntry(std::string_view source, std::string_view destination);
  // Short (8.3) form for WinInit.INI; empty when it is too long to write.
  std::string RenameFormOf(std::string_view path);

  plat::FileSystem& files_;
  plat::Registry& registry_;
  ProtectedPaths protectedPaths_;
  std::vector<std::string> renameEntries_;
  std::vector<std::string> deferredFiles_;
  std::vector<std::string> deferredDirs_;
};
