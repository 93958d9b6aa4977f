#include "system/deferred_deleter.h"

#include <algorithm>
#include <utility>

#include "maker/maker_identity.h"
#include "platform/text.h"
#include "platform/win_errors.h"
#include "platform/win_path.h"
#include "system/reboot_batch.h"
#include "system/text_file_lines.h"
#include "system/wininit_rename.h"

namespace {
// WinInit.INI is processed by a real-mode program with fixed buffers.
constexpr std::size_t kMaxRenamePathLength = 250;

bool IsNotFound(plat::WinError error) { return error == winerr::FileNotFound || error == winerr::PathNotFound; }

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

std::string JoinPath(std::string_view dir, std::string_view name) {
  std::string path(dir);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += name;
  return path;
}
}  // namespace

DeferredDeleter::DeferredDeleter(plat::FileSystem& files, plat::Registry& registry, plat::Spooler& spooler)
    : files_(files), registry_(registry), protectedPaths_(files, registry, spooler) {}

bool DeferredDeleter::DeleteFileOrDefer(std::string_view path) {
  if (path.empty()) return false;
  std::uint32_t attributes = plat::kInvalidFileAttributes;
  if (files_.GetAttributes(path, &attributes) == winerr::Success && attributes != plat::kInvalidFileAttributes)
    // A file that stays read-only fails the removal below, which decides.
    static_cast<void>(files_.SetAttributes(path, attributes & ~plat::fileattr::ReadOnly));
  const plat::WinError error = files_.RemoveFile(path);
  if (error == winerr::Success) return true;
  if (IsNotFound(error)) return false;
  if (collectMode) {
    deferredFiles_.emplace_back(path);
    return true;
  }
  return ScheduleOnReboot(path, {});
}

void DeferredDeleter::RemoveDirOrDefer(std::string_view path) {
  const plat::WinError error = files_.RemoveDir(path);
  if (error == winerr::Success || IsNotFound(error)) return;
  if (collectMode) {
    CollectDirectory(path);
  } else {
    // A directory listed for WinInit.INI is still there now, which changes nothing here.
    static_cast<void>(ScheduleOnReboot(path, {}));
  }
}

void DeferredDeleter::CollectDirectory(std::string_view path) {
  for (const auto& present : deferredDirs_)
    if (text::IEquals(present, path)) return;
  // Descending order puts "C:\A\B" before "C:\A": children are retried first.
  const auto lower = std::find_if(deferredDirs_.begin(), deferredDirs_.end(),
                                  [&](const std::string& entry) { return text::ILess(entry, path); });
  deferredDirs_.emplace(lower, path);
}

bool DeferredDeleter::RefusesTree(std::string_view path) {
  return path.size() < 4  // "C:\" and the like
         || protectedPaths_.Covers(path);
}

bool DeferredDeleter::DeleteTree(std::string_view path) {
  if (RefusesTree(path)) return false;
  DeleteTreeContents(std::string(path));
  if (!HoldsRunningProgram(path)) RemoveDirOrDefer(path);
  return true;
}

void DeferredDeleter::DeleteTreeContents(const std::string& path) {
  std::vector<plat::FindEntry> entries;
  if (files_.Find(JoinPath(path, "*.*"), &entries) != winerr::Success) return;
  for (const auto& entry : entries) {
    if (IsDotEntry(entry.name)) continue;
    const std::string full = JoinPath(path, entry.name);
    if ((entry.attributes & plat::fileattr::Directory) == 0) {
      // Whatever stays is collected or scheduled on the way.
      if (!HoldsRunningProgram(full)) static_cast<void>(DeleteFileOrDefer(full));
      continue;
    }
    // A junction is removed as a link; following it could empty a
    // directory anywhere on the machine.
    if ((entry.attributes & plat::fileattr::ReparsePoint) == 0) DeleteTreeContents(full);
    if (!HoldsRunningProgram(full)) RemoveDirOrDefer(full);
  }
}

bool DeferredDeleter::IsRunningProgram(std::string_view path) const { return MatchesRunningProgram(path, false); }

bool DeferredDeleter::HoldsRunningProgram(std::string_view path) const { return MatchesRunningProgram(path, true); }

bool DeferredDeleter::MatchesRunningProgram(std::string_view path, bool orFolder) const {
  if (runningProgram.empty() || path.empty()) return false;
  // Both are full paths; no current directory is needed to compare them.
  const auto matches = [orFolder](std::string_view candidatePath, std::string_view programPath) {
    const winpath::FullPath program = winpath::Canonicalize(programPath, {});
    const winpath::FullPath candidate = winpath::Canonicalize(candidatePath, {});
    if (program.key.empty() || candidate.key.empty()) return false;
    return orFolder ? winpath::IsSameOrAncestorKey(candidate.key, program.key) : candidate.key == program.key;
  };
  if (matches(path, runningProgram)) return true;
  // A program started by its short name (as the 9x family's uninstall
  // entries often name it) meets its folders under their long names, and
  // the other way round: then both are compared in their short forms. A
  // path that does not exist has none and is not the program.
  std::string shortProgram, shortPath;
  return files_.ShortPath(runningProgram, &shortProgram) == winerr::Success &&
         files_.ShortPath(path, &shortPath) == winerr::Success && matches(shortPath, shortProgram);
}

bool DeferredDeleter::RemoveEmptyTree(std::string_view path) {
  std::vector<plat::FindEntry> entries;
  if (files_.Find(JoinPath(path, "*.*"), &entries) != winerr::Success) return false;
  bool empty = true;
  for (const auto& entry : entries) {
    if (IsDotEntry(entry.name)) continue;
    const std::string full = JoinPath(path, entry.name);
    if ((entry.attributes & plat::fileattr::Directory) == 0) {
      if (!IsDeferredFile(full)) empty = false;
    } else if ((entry.attributes & plat::fileattr::ReparsePoint) != 0) {
      empty = false;  // not ours to walk into
    } else if (RemoveEmptyTree(full)) {
      RemoveDirOrDefer(full);
    } else {
      empty = false;
    }
  }
  return empty;
}

bool DeferredDeleter::IsDeferredFile(std::string_view path) const {
  return std::any_of(deferredFiles_.begin(), deferredFiles_.end(),
                     [&](const std::string& f) { return text::IEquals(f, path); });
}

bool DeferredDeleter::ScheduleOnReboot(std::string_view source, std::string_view destination) {
  if (source.empty()) return false;
  // The NT family schedules both files and (empty) directories itself.
  if (files_.MoveOnReboot(source, destination) == winerr::Success) {
    rebootNeeded = true;
    return true;
  }
  std::uint32_t attributes = plat::kInvalidFileAttributes;
  const bool isDirectory = files_.GetAttributes(source, &attributes) == winerr::Success &&
                           attributes != plat::kInvalidFileAttributes &&
                           (attributes & plat::fileattr::Directory) != 0;
  if (isDirectory) {
    if (!AddToRebootBatch(source)) return false;
    rebootNeeded = true;
    return true;
  }
  if (AddRenameEntry(source, destination)) rebootNeeded = true;
  // The file is still there now; WinInit.INI gets it at the next flush.
  return false;
}

std::string DeferredDeleter::RenameFormOf(std::string_view path) {
  std::string shortForm;
  // A destination that does not exist yet has no short form: keep it as
  // given.
  if (files_.ShortPath(path, &shortForm) != winerr::Success || shortForm.empty()) shortForm = std::string(path);
  // A path cut to fit would name some other file: leave it out instead.
  if (shortForm.size() > kMaxRenamePathLength) return {};
  return shortForm;
}

bool DeferredDeleter::AddRenameEntry(std::string_view source, std::string_view destination) {
  const std::string shortSource = RenameFormOf(source);
  const std::string shortDestination =
      destination.empty() ? std::string(kRenameDeleteTarget) : RenameFormOf(destination);
  if (shortSource.empty() || shortDestination.empty()) return false;
  AppendUniqueIgnoringCase(renameEntries_, shortDestination + "=" + shortSource);
  return true;
}

bool DeferredDeleter::AddToRebootBatch(std::string_view directory) {
  std::string existing;
  const plat::WinError readError = files_.ReadText(maker::kRebootBatchPath, &existing);
  if (readError == winerr::Success) {
    // Rewrite through a copy so a failure never leaves half a batch file.
    const std::string updated = AppendToRebootBatch(existing, directory);
    if (files_.WriteText(maker::kRebootBatchCopyPath, updated) != winerr::Success) return false;
    // A batch that stays makes the rename fail, and the copy is written in its place below.
    static_cast<void>(files_.RemoveFile(maker::kRebootBatchPath));
    if (files_.Rename(maker::kRebootBatchCopyPath, maker::kRebootBatchPath) == winerr::Success) return true;
    static_cast<void>(files_.RemoveFile(maker::kRebootBatchCopyPath));  // a leftover copy does no harm
    return files_.WriteText(maker::kRebootBatchPath, updated) == winerr::Success;
  }
  // An existing batch we cannot read must not be overwritten: it holds
  // earlier directories.
  if (!IsNotFound(readError)) return false;
  if (files_.WriteText(maker::kRebootBatchPath, RebootBatchLines(directory)) != winerr::Success) return false;

  plat::HKey raw = plat::kNoHandle;
  bool created = false;
  if (registry_.CreateKey(plat::kHkeyLocalMachine, kRunOnceKey, "", plat::keyaccess::AllAccess, &raw, &created) ==
      winerr::Success) {
    plat::UniqueKey key(registry_, raw);
    const std::string command = RebootBatchCommand(files_.WindowsDirectory());
    // Stored without its terminating zero, as the value has always been.
    plat::RegValue value;
    value.type = plat::RegType::Sz;
    value.data.assign(command.begin(), command.end());
    // The batch is written; without the value it waits for the next run to register it.
    static_cast<void>(registry_.SetValue(key.get(), maker::kRebootBatchRunOnceValue, value));
  }
  return true;
}

bool DeferredDeleter::RetryDeferred(bool keepCollecting) {
  const bool savedCollectMode = collectMode;
  if (!keepCollecting) collectMode = false;
  const std::vector<std::string> files = std::exchange(deferredFiles_, {});
  // What stays is collected again or scheduled; the lists answer below.
  for (const auto& file : files) static_cast<void>(DeleteFileOrDefer(file));
  const std::vector<std::string> dirs = std::exchange(deferredDirs_, {});
  for (const auto& dir : dirs) RemoveDirOrDefer(dir);
  collectMode = savedCollectMode;
  return deferredFiles_.empty() && deferredDirs_.empty();
}

void DeferredDeleter::FlushRenameEntries() {
  if (renameEntries_.empty()) return;
  const std::string renameFile = JoinPath(files_.WindowsDirectory(), kRenameFileName);
  std::string existing;
  const plat::WinError readError = files_.ReadText(renameFile, &existing);
  // A file that is there but cannot be read is not replaced: it may hold
  // another program's pending renames.
  if (readError != winerr::Success && !IsNotFound(readError)) return;
  const auto lines = MergeRenameSection(readError == winerr::Success ? existing : std::string(), renameEntries_);
  if (files_.WriteText(renameFile, JoinFileLines(lines)) != winerr::Success) return;
  renameEntries_.clear();
}
