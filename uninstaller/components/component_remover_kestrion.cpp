// The management application and its intranet editions. The application's
// base directory is emptied as a whole; the intranet client is removed by
// its own uninstaller, whose answer decides whether its record goes; the
// intranet server's services unregister themselves.
#include <string>

#include "components/clearable_directory.h"
#include "components/component_remover.h"
#include "maker/maker_identity.h"
#include "system/deferred_deleter.h"
#include "system/registry_helpers.h"

namespace {

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// DeleteAllHere on a directory already found clearable. Full paths are
// used throughout: a subdirectory that cannot be entered is left alone
// rather than emptying whatever directory is current instead.
void DeleteAllIn(plat::FileSystem& files, DeferredDeleter& deleter, const std::string& dir) {
  std::vector<plat::FindEntry> entries;
  if (files.Find(dir + "\\*", &entries) != winerr::Success) return;
  for (const plat::FindEntry& entry : entries) {
    if ((entry.attributes & plat::fileattr::Directory) != 0) continue;
    const std::string full = dir + "\\" + entry.name;
    static_cast<void>(files.SetAttributes(full, plat::fileattr::Archive));
    static_cast<void>(deleter.DeleteFileOrDefer(full));
  }
  for (const plat::FindEntry& entry : entries) {
    if ((entry.attributes & plat::fileattr::Directory) == 0 || IsDotEntry(entry.name)) continue;
    const std::string full = dir + "\\" + entry.name;
    // A junction is removed as a link, never walked: it may lead anywhere.
    if ((entry.attributes & plat::fileattr::ReparsePoint) == 0) {
      if (files.SetCurrentDir(full) != winerr::Success) continue;
      DeleteAllIn(files, deleter, full);
      static_cast<void>(files.SetCurrentDir(dir));
    }
    deleter.RemoveDirOrDefer(full);
  }
}

}  // namespace

void ComponentRemover::RemoveKestrion() {
  namespace c = maker::component;
  RemoveLoggedComponent(c::kSounds, {});
  if (Log().IsInstalled(c::kOpenView)) RemoveOpenViewFiles();
  if (Log().IsInstalled(c::kNetView)) RemoveNetViewFiles();
  for (std::string_view part : c::kKestrionPlatformParts) {
    if (Log().IsInstalled(part)) RemoveLoggedComponent(part, {});
  }
  RemoveLoggedFiles(c::kKestrion, {});
  RemoveLoggedRegistry(c::kKestrion);
  RemoveLoggedShellItems(c::kKestrion);
  ShellDelete(maker::kKestrionMenuFolder);

  const std::string baseDir = Log().GetProperty(c::kKestrion, maker::kBaseDirProperty);
  ProtectedPaths protectedPaths(platform_.files, platform_.registry, platform_.spooler);
  if (!baseDir.empty() && IsClearableDirectory(baseDir, protectedPaths)) {
    plat::FileSystem& files = platform_.files;
    const std::string previous = files.CurrentDirectory();
    if (files.SetCurrentDir(baseDir) == winerr::Success) {
      DeleteAllHere();
      // Out of the directory first: Windows keeps the current one.
      static_cast<void>(files.SetCurrentDir(".."));
      static_cast<void>(files.RemoveDir(baseDir));
      static_cast<void>(files.SetCurrentDir(previous));
    }
  }
  Log().ForgetComponent(c::kKestrion);
}

void ComponentRemover::DeleteAllHere() {
  plat::FileSystem& files = platform_.files;
  const std::string here = files.CurrentDirectory();
  ProtectedPaths protectedPaths(files, platform_.registry, platform_.spooler);
  if (!IsClearableDirectory(here, protectedPaths)) return;
  DeleteAllIn(files, context_.deleter, here);
  static_cast<void>(files.SetCurrentDir(here));
}

namespace {

// Drops the empty subdirectories of a directory the uninstall emptied, and
// the directory itself when nothing else is left in it.
void RemoveEmptiedDirectory(plat::Platform& platform, DeferredDeleter& deleter, const std::string& dir) {
  ProtectedPaths protectedPaths(platform.files, platform.registry, platform.spooler);
  if (!IsClearableDirectory(dir, protectedPaths)) return;
  if (deleter.RemoveEmptyTree(dir)) deleter.RemoveDirOrDefer(dir);
}

}  // namespace

void ComponentRemover::RemoveKsinetClient() {
  plat::Registry& reg = platform_.registry;
  const auto installDir = [&reg] {
    return RegGetString(reg, plat::kHkeyLocalMachine, maker::kKsinetClientKey, maker::kKsinetClientDirValue)
        .value_or("");
  };
  const std::string dir = installDir();
  if (dir.empty()) {
    Log().ForgetComponent(maker::component::kKsinetClient);
    return;
  }
  RunCommand(dir + std::string(maker::kKsinetClientUninstaller), true);
  // The product's uninstaller clears the value once it has done its work; a
  // value still set means it was cancelled or failed, and the record stays.
  if (!installDir().empty()) return;
  Log().ForgetComponent(maker::component::kKsinetClient);
  RemoveEmptiedDirectory(platform_, context_.deleter, dir);
}

void ComponentRemover::RemoveKsinetServer() {
  if (Log().IsInstalled(maker::component::kWebServerAddIn)) {
    const std::string dir =
        RegGetString(platform_.registry, plat::kHkeyLocalMachine, maker::kKsinetServerKey, maker::kKsinetServerDirValue)
            .value_or("");
    if (!dir.empty()) {
      RunCommand(std::string(maker::kUnregisterServerCommand) + " " + dir + std::string(maker::kWebServerAddInLibrary),
                 true);
      RemoveLoggedComponent(maker::component::kWebServerAddIn, {});
    }
  }
  RunCommand(maker::kKsServiceUninstall, true);
  RunCommand(maker::kWebServiceUninstall, true);
  RemoveLoggedComponent(maker::component::kKsinetServer, {});
}

void ComponentRemover::RemoveWebComponent(std::string_view key, bool restartWeb) {
  if (restartWeb) RunCommand(maker::kWebServiceStop, true);
  const std::string serverDir = Log().GetProperty(maker::component::kKsinetServer, maker::kBaseDirProperty);
  RemoveLoggedComponent(key, {});
  if (!serverDir.empty()) RemoveEmptiedDirectory(platform_, context_.deleter, serverDir);
  if (restartWeb) RunCommand(maker::kWebServiceStart, true);
}
