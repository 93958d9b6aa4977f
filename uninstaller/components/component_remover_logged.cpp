// The common removal of what an installer logged for a component. Every
// entry comes from the log and may be wrong: an entry that cannot be read
// as it must be, or that would reach beyond what it names, is skipped.
#include <array>
#include <cctype>

#include "components/component_remover.h"
#include "components/log_lists.h"
#include "platform/text.h"
#include "system/deferred_deleter.h"
#include "system/registry_helpers.h"

namespace {
// The shell takes the path in a buffer of 260 characters ended by two zeros.
constexpr std::size_t kMaxShellPath = 258;

std::vector<std::string> EntriesOf(OleLogComponent& log, std::int32_t kind, std::string_view key) {
  std::vector<std::string> entries;
  SplitList(log.GetList(kind, key), entries);
  return entries;
}

// "C:\..." or "\\server\share\...": a path that means the same wherever the
// uninstaller was started. A relative one would land in its working folder.
bool IsFullPath(std::string_view path) {
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
      (path[2] == '\\' || path[2] == '/'))
    return true;
  return path.size() > 2 && path[0] == '\\' && path[1] == '\\';
}

// Where ".HLP" starts in the file name of `path` (not in a folder name),
// ignoring case; npos when it is not there.
std::size_t HelpSuffixAt(std::string_view path) {
  const std::size_t nameStart = path.find_last_of("\\/") == std::string_view::npos ? 0 : path.find_last_of("\\/") + 1;
  for (std::size_t i = nameStart; i + 4 <= path.size(); ++i)
    if (path[i] == '.' && text::IEquals(path.substr(i + 1, 3), "HLP")) return i;
  return std::string_view::npos;
}

bool ContainsAny(std::string_view entry, const std::vector<std::string>& exclusions) {
  const std::string folded = text::Fold(entry);
  for (const auto& exclusion : exclusions)
    if (folded.find(text::Fold(exclusion)) != std::string::npos) return true;
  return false;
}

// The key path's parts, empty parts (doubled or outer backslashes) left out.
std::size_t DepthOf(std::string_view keyPath) {
  std::size_t depth = 0;
  for (const auto& part : text::Split(keyPath, '\\'))
    if (!part.empty()) ++depth;
  return depth;
}

// Whole keys that hold every program's registrations, not one product's.
bool IsSharedClassesKey(std::string_view name) {
  static constexpr std::array<std::string_view, 10> kShared = {
      "CLSID", "Interface", "TypeLib", "AppID", "*", "Folder", "Directory", "Drive", "AllFilesystemObjects",
      "Unknown"};
  for (const auto shared : kShared)
    if (text::IEquals(name, shared)) return true;
  return false;
}

// A tree deletion of kind 4 must name a product's key, not a branch of the
// system's layout right below a root ("SOFTWARE", a user's hive, "CLSID").
bool MayDeleteWholeKey(const LoggedRegistryEntry& entry) {
  const std::size_t depth = DepthOf(entry.keyPath);
  if (depth >= 2) return true;
  if (depth == 0 || entry.root != plat::kHkeyClassesRoot) return false;
  return !IsSharedClassesKey(text::Trim(entry.keyPath));
}
}  // namespace

void ComponentRemover::RemoveLoggedComponent(std::string_view key, const std::vector<std::string>& exclusions) {
  RemoveLoggedFiles(key, exclusions);
  RemoveLoggedRegistry(key);
  RemoveLoggedShellItems(key);
  const std::string baseDir = Log().GetProperty(key, "BaseDir");
  // The base directory is only emptied of empty folders and then removed
  // when empty; a protected one is not even walked.
  if (!baseDir.empty() && IsFullPath(baseDir) && !context_.deleter.RefusesTree(baseDir) &&
      context_.deleter.RemoveEmptyTree(baseDir))
    context_.deleter.RemoveDirOrDefer(baseDir);
  Log().ForgetComponent(key);
}

void ComponentRemover::RemoveLoggedFiles(std::string_view key, const std::vector<std::string>& exclusions) {
  for (const auto& file : EntriesOf(Log(), plat::logkind::Files, key))
    if (!ContainsAny(file, exclusions)) DeleteLoggedPath(file, 1);
  for (const auto& dir : EntriesOf(Log(), plat::logkind::Directories, key)) DeleteLoggedPath(dir, 2);
}

void ComponentRemover::RemoveLoggedRegistry(std::string_view key) {
  for (const auto& entry : EntriesOf(Log(), plat::logkind::RegistryValues, key)) DeleteRegistryEntry(entry, 3);
  for (const auto& entry : EntriesOf(Log(), plat::logkind::RegistryKeys, key)) DeleteRegistryEntry(entry, 4);
}

void ComponentRemover::RemoveLoggedShellItems(std::string_view key) {
  for (const auto& item : EntriesOf(Log(), plat::logkind::ShellItems, key)) ShellDelete(item);
  for (const auto& item : EntriesOf(Log(), plat::logkind::LateShellItems, key)) ShellDelete(item);
}

void ComponentRemover::DeleteLoggedPath(std::string_view path, int kind) {
  if (!IsFullPath(path)) return;
  DeferredDeleter& deleter = context_.deleter;
  if (kind == 2) {
    // Refused for roots and protected folders; nothing else to say about it.
    static_cast<void>(deleter.DeleteTree(path));
    return;
  }
  // A file that is already gone, or left for later, is all the same here.
  static_cast<void>(deleter.DeleteFileOrDefer(path));
  const std::size_t help = HelpSuffixAt(path);
  // The help system builds its index beside the help file on first use.
  if (help != std::string_view::npos) static_cast<void>(deleter.DeleteFileOrDefer(std::string(path.substr(0, help)) + ".GID"));
}

bool ComponentRemover::DeleteRegistryEntry(std::string_view entry, int kind) {
  const auto parsed = ParseRegistryEntry(entry);
  if (!parsed) return false;
  const bool deleteTree = kind == 4;
  if (deleteTree ? !MayDeleteWholeKey(*parsed) : DepthOf(parsed->keyPath) == 0) return false;
  // A key that cannot be opened counts as gone; a refusal changes nothing
  // about the rest of the removal.
  static_cast<void>(RegDeleteValueAndPrune(platform_.registry, parsed->root, parsed->keyPath, parsed->valueName, deleteTree));
  return true;
}

bool ComponentRemover::ShellDelete(std::string_view path) {
  // The shell deletes a folder with everything in it: the deleter's rule for
  // whole trees holds here too, and a path the shell's buffer would cut
  // short could name a folder above the logged one.
  if (!IsFullPath(path) || path.size() > kMaxShellPath || context_.deleter.RefusesTree(path)) return true;
  static_cast<void>(platform_.files.SetAttributes(path, plat::fileattr::Archive));
  // What the shell could not delete stays; nothing is reported for it.
  static_cast<void>(platform_.desktop.ShellDelete(path));
  return true;
}
