// The uninstaller removes itself when nothing of the maker's is left: a batch
// file deletes the program once it has exited, or the program and its
// directories are scheduled for the next start of Windows.
#include <string>

#include "app/cunst_main.h"
#include "platform/win_path.h"

namespace {

// Lines end in "\r\n": the batch is a text file written in text mode.
std::string SelfDeleteBatchText(const std::string& program, const std::string& installDir,
                                const std::string& parentDir) {
  std::string text;
  text += ":Repeat\r\n";
  text += "del \"" + program + "\"\r\n";
  text += "if exist \"" + program + "\" goto Repeat\r\n";
  text += "rmdir \"" + installDir + "\"\r\n";
  text += "rmdir \"" + parentDir + "\"\r\n";
  text += "del %0.bat\r\n";
  return text;
}

// At most MAX_PATH characters come back from the temporary-directory query.
constexpr std::size_t kMaxTempDirectory = 260;

}  // namespace

void CUnstMain::RemoveUninstaller() {
  deleter.FlushRenameEntries();
  // From here on a locked file is scheduled for the restart at once.
  deleter.collectMode = false;
  if (!selfRemove) return;

  const std::string installDir = InstallDirectory();
  const std::string parentDir(winpath::Parent(installDir));
  // With a restart due anyway the files go with it; the batch would only race
  // the restart.
  if (deleter.rebootNeeded || uninstallerPath.empty() || !WriteSelfDeleteBatch(installDir, parentDir)) {
    QueueUninstallerFiles(installDir, parentDir);
  }
  deleter.FlushRenameEntries();
}

void CUnstMain::QueueUninstallerFiles(const std::string& installDir, const std::string& parentDir) {
  // A program that can be neither deleted nor scheduled stays; the directories
  // then stay too, as they are not empty.
  if (!uninstallerPath.empty()) static_cast<void>(deleter.DeleteFileOrDefer(uninstallerPath));
  deleter.RemoveDirOrDefer(installDir);
  deleter.RemoveDirOrDefer(parentDir);
}

bool CUnstMain::WriteSelfDeleteBatch(const std::string& installDir, const std::string& parentDir) {
  if (uninstallerPath.empty()) return false;
  const std::string tempDir = platform_.files.TempDirectory();
  if (tempDir.empty() || tempDir.size() > kMaxTempDirectory) return false;

  const std::string batchPath = tempDir + "vortmp.bat";
  if (platform_.files.WriteText(batchPath, SelfDeleteBatchText(uninstallerPath, installDir, parentDir)) !=
      winerr::Success) {
    return false;
  }
  plat::ProcessLaunch launch;
  launch.commandLine = batchPath;
  launch.currentDirectory = tempDir;
  launch.hideWindow = true;
  launch.idlePriority = true;
  // A batch that cannot start stays in the temporary directory; the caller
  // schedules the files instead.
  return platform_.processes.StartDetached(launch) == winerr::Success;
}
