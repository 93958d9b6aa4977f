#include "printing/driver_files.h"

#include <array>

#include "platform/text.h"
#include "platform/win_errors.h"
#include "platform/win_path.h"
#include "system/deferred_deleter.h"
#include "system/registry_helpers.h"

namespace {

const char kInstallKey[] = "SOFTWARE\\Vorkast\\Install";
const char kUninstallDirValue[] = "UnstDirBREVIK";
const char kZipLibrary[] = "\\ptzipw32.dll";

constexpr std::array<std::string_view, 4> kSharedFiles = {"VORCFI.DLL", "VORCFI16.DLL", "VORLOG.DLL",
                                                          "VORLOGSERVER.EXE"};

// Only files are deleted here: a name that turns out to be a folder (an
// empty entry, an archive's folder entry) would otherwise be handed to the
// deleter as a locked file and removed at the next start of Windows.
bool IsExistingFile(plat::FileSystem& files, std::string_view path) {
  std::uint32_t attributes = plat::kInvalidFileAttributes;
  if (path.empty() || files.GetAttributes(path, &attributes) != winerr::Success) return false;
  return attributes != plat::kInvalidFileAttributes && (attributes & plat::fileattr::Directory) == 0;
}

void DeleteFileIfPresent(PrintingContext& context, std::string_view path) {
  if (IsExistingFile(context.platform.files, path)) context.deleter.DeleteFileOrDefer(path);
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A part made of dots and blanks only: Windows reads "..", and ". ." or
// "..." after trimming, as a step up or a stay.
bool IsDotPart(std::string_view part) {
  return !part.empty() && part.find_first_not_of(". ") == std::string_view::npos;
}

std::vector<std::string> ListLines(const std::string& content) {
  std::vector<std::string> lines = text::Split(content, '\n');
  for (std::string& line : lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
  }
  return lines;
}

// Folder of the lister library: the uninstaller's recorded path cut at its
// last backslash. Empty when nothing usable is recorded, so that no library
// is looked for in the root or the current directory.
std::string ZipLibraryPath(plat::Registry& registry) {
  const std::string recorded = RegGetString(registry, plat::kHkeyLocalMachine, kInstallKey, kUninstallDirValue);
  const auto cut = recorded.rfind('\\');
  if (cut == std::string::npos || cut == 0) return {};
  return recorded.substr(0, cut) + kZipLibrary;
}

// Runs the lister over the archive. True only when it reported that it
// wrote the list in this run: a list file that was already there (from an
// earlier run, or somebody else's) names nothing this archive unpacked.
bool RunZipLister(PrintingContext& context, const std::string& base) {
  const std::string libraryPath = ZipLibraryPath(context.platform.registry);
  if (libraryPath.empty()) return false;
  return context.platform.zipLister.List(libraryPath, base) == winerr::Success;
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
  for (std::string_view shared : kSharedFiles) {
    if (winpath::SameFile(fileName, shared)) return true;
  }
  return false;
}

bool IsContainedMemberName(std::string_view member) {
  if (member.empty() || IsSeparator(member.front())) return false;  // root, UNC, "\\?\"
  for (char c : member) {
    // A colon names a drive or a stream; control characters name no file.
    if (c == ':' || static_cast<unsigned char>(c) < 0x20) return false;
  }
  std::size_t start = 0;
  while (start <= member.size()) {
    std::size_t end = start;
    while (end < member.size() && !IsSeparator(member[end])) ++end;
    if (IsDotPart(member.substr(start, end - start))) return false;
    start = end + 1;
  }
  return true;
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
  context.deleter.DeleteFileOrDefer(upper);
  DeleteCompanion(context, upper, "HLP", "GID", neededElsewhere);
  DeleteCompanion(context, upper, "PPD", "BPD", neededElsewhere);
}

bool DeleteZipMembers(PrintingContext& context, std::string_view zipPath, const NeededElsewhere& neededElsewhere) {
  const auto dot = zipPath.rfind('.');
  const std::string base(dot == std::string_view::npos ? zipPath : zipPath.substr(0, dot));
  if (!RunZipLister(context, base)) return false;

  const std::string listPath = base + ".txt";
  const auto slash = listPath.rfind('\\');
  const std::string folder = slash == std::string::npos ? std::string() : listPath.substr(0, slash + 1);
  std::string content;
  if (context.platform.files.ReadText(listPath, &content) != winerr::Success) return false;

  const bool win9x = IsWin9x(context.os());
  const std::size_t memberStart = text::Fold(folder).size();
  for (const std::string& member : ListLines(content)) {
    if (win9x && IsSharedFile(member)) continue;
    // The list is data from a file: a name that leaves the archive's
    // folder is not the archive's to delete.
    if (!IsContainedMemberName(member)) continue;
    const std::string path = winpath::Resolve(folder + member);
    if (!IsExistingFile(context.platform.files, path)) continue;
    // A member another driver lists (its .GPD, its help) is that driver's
    // too, whoever unpacked it.
    if (neededElsewhere && neededElsewhere(path)) continue;
    context.deleter.DeleteFileOrDefer(path);
    const std::string upper = text::Fold(path);
    DeleteMemberCompanion(context, upper, memberStart, ".HLP", ".GID", neededElsewhere);
    DeleteMemberCompanion(context, upper, memberStart, ".PPD", ".BPD", neededElsewhere);
  }
  DeleteFileIfPresent(context, listPath);
  return true;
}
