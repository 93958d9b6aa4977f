#include "printing/driver_files.h"

#include <optional>

#include "maker/maker_identity.h"
#include "platform/text.h"
#include "platform/win_errors.h"
#include "platform/win_path.h"
#include "system/deferred_deleter.h"
#include "system/registry_helpers.h"

namespace {

// Only files are deleted here: a name that turns out to be a folder (an
// empty entry, an archive's folder entry) would otherwise be handed to the
// deleter as a locked file and removed at the next start of Windows.
bool IsExistingFile(plat::FileSystem& files, std::string_view path) {
  std::uint32_t attributes = plat::kInvalidFileAttributes;
  if (path.empty() || files.GetAttributes(path, &attributes) != winerr::Success) return false;
  return attributes != plat::kInvalidFileAttributes && (attributes & plat::fileattr::Directory) == 0;
}

void DeleteFileIfPresent(PrintingContext& context, std::string_view path) {
  // A file that stays is collected or scheduled by the deleter.
  if (IsExistingFile(context.platform.files, path)) static_cast<void>(context.deleter.DeleteFileOrDefer(path));
}

std::vector<std::string> ListLines(const std::string& content) {
  std::vector<std::string> lines = text::Split(content, '\n');
  for (std::string& line : lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
  return lines;
}

// The lister library beside the uninstaller's recorded path. Nothing when
// no usable path is recorded, so that no library is looked for in the root
// or the current directory.
[[nodiscard]] std::optional<std::string> ZipLibraryPath(plat::Registry& registry) {
  const std::string recorded =
      RegGetString(registry, plat::kHkeyLocalMachine, maker::kInstallKey, maker::kOwnUninstallDirValue).value_or("");
  const std::string_view folder = winpath::Parent(recorded);
  if (folder.empty()) return std::nullopt;
  return std::string(folder) + "\\" + std::string(maker::kZipListerLibrary);
}

// Runs the lister over the archive. True only when it reported that it
// wrote the list in this run: a list file that was already there (from an
// earlier run, or somebody else's) names nothing this archive unpacked.
bool RunZipLister(PrintingContext& context, const std::string& base) {
  const std::optional<std::string> libraryPath = ZipLibraryPath(context.platform.registry);
  if (!libraryPath) return false;
  return context.platform.zipLister.List(*libraryPath, base) == winerr::Success;
}

// Deletes "<stem>.<companion>" when the member part of `upperPath` (from
// `memberStart` on) contains `marker`, cut before the marker.
void DeleteMemberCompanion(PrintingContext& context, const std::string& upperPath, std::size_t memberStart,
                           std::string_view marker, std::string_view companion,
                           const NeededElsewhere& neededElsewhere) {
  const auto at = upperPath.find(marker, memberStart);
  if (at == std::string::npos) return;
  const std::string path = upperPath.substr(0, at) + std::string(companion);
  if (neededElsewhere && neededElsewhere(path)) return;
  DeleteFileIfPresent(context, path);
}

}  // namespace

bool IsSharedFile(std::string_view fileName) {
  for (std::string_view shared : maker::kSharedFiles) {
    if (winpath::SameFile(fileName, shared)) return true;
  }
  return false;
}

void DeleteCompanion(PrintingContext& context, std::string_view path, std::string_view extension,
                     std::string_view companionExtension, const NeededElsewhere& neededElsewhere) {
  const std::string suffix = "." + std::string(extension);
  if (path.size() < suffix.size() + 1 || !text::IEndsWith(path, suffix)) return;
  const std::string companion =
      std::string(path.substr(0, path.size() - extension.size())) + std::string(companionExtension);
  // Another maker's driver may list the same index or compiled file under
  // its own name: it is that driver's file as much as ours.
  if (neededElsewhere && neededElsewhere(companion)) return;
  DeleteFileIfPresent(context, companion);
}

void DeleteWithCompanions(PrintingContext& context, std::string_view path, const NeededElsewhere& neededElsewhere) {
  // The path Windows would open: "A.HLP." is "A.HLP", with "A.GID" beside it.
  const std::string upper = text::Fold(winpath::Resolve(path));
  if (!IsExistingFile(context.platform.files, upper)) return;
  if (text::IEndsWith(upper, ".ZIP")) DeleteZipMembers(context, upper, neededElsewhere);
  static_cast<void>(context.deleter.DeleteFileOrDefer(upper));  // what stays is collected or scheduled
  DeleteCompanion(context, upper, "HLP", "GID", neededElsewhere);
  DeleteCompanion(context, upper, "PPD", "BPD", neededElsewhere);
}

bool DeleteZipMembers(PrintingContext& context, std::string_view zipPath, const NeededElsewhere& neededElsewhere) {
  const auto dot = zipPath.rfind('.');
  const std::string base(dot == std::string_view::npos ? zipPath : zipPath.substr(0, dot));
  if (!RunZipLister(context, base)) return false;

  const std::string listPath = base + ".txt";
  // The folder with its separator, so that a member name joins it directly.
  const std::string folder = listPath.substr(0, listPath.size() - winpath::LastComponent(listPath).size());
  std::string content;
  if (context.platform.files.ReadText(listPath, &content) != winerr::Success) return false;

  const bool win9x = IsWin9x(context.os());
  const std::size_t memberStart = text::Fold(folder).size();
  for (const std::string& member : ListLines(content)) {
    if (win9x && IsSharedFile(member)) continue;
    // The list is data from a file: a name that leaves the archive's
    // folder is not the archive's to delete.
    if (!winpath::IsContainedRelativePath(member)) continue;
    const std::string path = winpath::Resolve(folder + member);
    if (!IsExistingFile(context.platform.files, path)) continue;
    // A member another driver lists (its .GPD, its help) is that driver's
    // too, whoever unpacked it.
    if (neededElsewhere && neededElsewhere(path)) continue;
    static_cast<void>(context.deleter.DeleteFileOrDefer(path));  // what stays is collected or scheduled
    const std::string upper = text::Fold(path);
    DeleteMemberCompanion(context, upper, memberStart, ".HLP", ".GID", neededElsewhere);
    DeleteMemberCompanion(context, upper, memberStart, ".PPD", ".BPD", neededElsewhere);
  }
  DeleteFileIfPresent(context, listPath);
  return true;
}
