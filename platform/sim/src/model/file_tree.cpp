#include "file_tree.h"

#include <cctype>
#include <map>

#include "platform/file_system.h"
#include "platform/services.h"
#include "platform/text.h"
#include "platform/win_path.h"

namespace sim {

std::string ParentOf(std::string_view path) { return std::string(winpath::Parent(path)); }

std::string LeafOf(std::string_view path) { return std::string(winpath::LastComponent(path)); }

bool IsDrive(std::string_view path) { return path.size() == 2 && path[1] == ':'; }

bool DirectoryExists(const MachineData& d, const std::string& dir) {
  const auto listed = d.files.find(dir);
  if (listed != d.files.end()) return listed->second.IsDirectory();
  if (!IsDrive(dir)) return false;
  // The system drive is always there; another drive when anything lies on it.
  if (text::IEquals(dir, "C:")) return true;
  const auto next = d.files.lower_bound(dir + "\\");
  return next != d.files.end() && text::IStartsWith(next->first, dir + "\\");
}

std::vector<const FileEntry*> ChildrenOf(const MachineData& d, const std::string& dir) {
  std::vector<const FileEntry*> out;
  const std::string prefix = dir + "\\";
  for (auto it = d.files.lower_bound(prefix); it != d.files.end() && text::IStartsWith(it->first, prefix); ++it)
    if (it->first.find('\\', prefix.size()) == std::string::npos) out.push_back(&it->second);
  return out;
}

bool HasChildren(const MachineData& d, const std::string& dir) {
  const std::string prefix = dir + "\\";
  const auto it = d.files.lower_bound(prefix);
  return it != d.files.end() && text::IStartsWith(it->first, prefix);
}

namespace {
bool IsShortChar(unsigned char c) {
  if (c < 0x20 || c >= 0x80) return false;
  return std::string_view(" +,;=[].\"*?<>|/\\:").find(static_cast<char>(c)) == std::string_view::npos;
}

std::string ShortPart(std::string_view s) {
  std::string out;
  for (unsigned char c : s)
    if (IsShortChar(c)) out.push_back(static_cast<char>(std::toupper(c)));
    else if (c >= 0x80 && (c & 0xC0) != 0x80) out.push_back('_');  // one per non-ASCII character
  return out;
}
}  // namespace

bool IsShortName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return !name.empty();
  const auto dot = name.find('.');
  const std::string_view base = name.substr(0, dot);
  const std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::string_view::npos && ext.empty()) return false;
  for (unsigned char c : base)
    if (!IsShortChar(c)) return false;
  for (unsigned char c : ext)
    if (!IsShortChar(c)) return false;
  return true;
}

// Names a new short name in `dir` must avoid: the short names given, and the
// leaves of entries without one. Gathered once per name rather than once per
// candidate, so a folder of thousands of files with one prefix stays fast.
TakenNames TakenNamesIn(const MachineData& d, const std::string& dir) {
  TakenNames taken;
  for (const FileEntry* c : ChildrenOf(d, dir)) taken.insert(c->shortName.empty() ? LeafOf(c->path) : c->shortName);
  return taken;
}

std::string ShortNameAvoiding(const TakenNames& taken, std::string_view longName, ShortNameHints* nextByStem) {
  if (IsShortName(longName)) return std::string();
  const auto dot = longName.rfind('.');
  std::string base = ShortPart(dot == std::string_view::npos || dot == 0 ? longName : longName.substr(0, dot));
  std::string ext = dot == std::string_view::npos || dot == 0 ? std::string() : ShortPart(longName.substr(dot + 1));
  if (base.empty()) base = "_";
  if (ext.size() > 3) ext.resize(3);
  // Every candidate keeps at most six characters of the base, so names that
  // share those and the extension run through the same candidates. Neither
  // part holds a dot: the pair makes an unambiguous key.
  unsigned* next = nextByStem ? &(*nextByStem)[base.substr(0, 6) + "." + ext] : nullptr;
  for (unsigned n = next && *next > 1 ? *next : 1;; ++n) {
    const std::string tail = "~" + std::to_string(n);
    const std::string candidate = base.substr(0, 8 - tail.size()) + tail + (ext.empty() ? "" : "." + ext);
    if (taken.count(candidate)) continue;
    if (next) *next = n + 1;
    return candidate;
  }
}

std::string MakeShortName(const MachineData& d, const std::string& dir, std::string_view longName) {
  if (IsShortName(longName)) return std::string();
  return ShortNameAvoiding(TakenNamesIn(d, dir), longName);
}

FileEntry& AddEntry(MachineData& d, const std::string& path, std::uint32_t attributes) {
  FileEntry e;
  e.path = path;
  e.attributes = attributes;
  e.shortName = MakeShortName(d, ParentOf(path), LeafOf(path));
  return d.files.insert_or_assign(path, std::move(e)).first->second;
}

void EnsureDirectories(MachineData& d, const std::string& dir) {
  if (dir.empty() || IsDrive(dir) || d.files.count(dir)) return;
  EnsureDirectories(d, ParentOf(dir));
  AddEntry(d, dir, plat::fileattr::Directory);
}

void CompleteFileTree(MachineData& d) {
  std::vector<std::string> parents;
  // Siblings lie next to each other in the table: each folder is asked once.
  for (const auto& [path, f] : d.files) {
    std::string parent = ParentOf(path);
    if (parents.empty() || parents.back() != parent) parents.push_back(std::move(parent));
  }
  for (const auto& dir : parents) {
    std::string missing = dir;
    // Implied directories are created bare first, named below in order.
    while (!missing.empty() && !IsDrive(missing) && !d.files.count(missing)) {
      FileEntry e;
      e.path = missing;
      e.attributes = plat::fileattr::Directory;
      d.files.emplace(missing, std::move(e));
      missing = ParentOf(missing);
    }
  }
  // Each folder's taken names are gathered once and kept up to date, which
  // names the entries exactly as one MakeShortName call each would.
  // Taken names only grow here, which lets each folder keep its stem hints.
  struct FolderNames {
    TakenNames taken;
    ShortNameHints hints;
  };
  std::map<std::string, FolderNames, text::ILessFn> takenByDir;
  for (auto& [path, f] : d.files) {
    if (!f.shortName.empty()) continue;
    const std::string leaf = LeafOf(path);
    if (IsShortName(leaf)) continue;
    const std::string dir = ParentOf(path);
    auto taken = takenByDir.find(dir);
    if (taken == takenByDir.end()) taken = takenByDir.emplace(dir, FolderNames{TakenNamesIn(d, dir), {}}).first;
    FolderNames& folder = taken->second;
    f.shortName = ShortNameAvoiding(folder.taken, leaf, &folder.hints);
    // The leaf was gathered with its siblings; an entry that is no child of
    // its parent's listing (a drive root) has nothing to swap. A leaf that
    // needs a short name is no 8.3 name, so no later candidate equals it.
    const auto own = folder.taken.find(leaf);
    if (own != folder.taken.end()) folder.taken.erase(own);
    folder.taken.insert(f.shortName);
  }
}

bool IsLocked(const MachineData& d, const FileEntry& f) {
  if (f.locked) return true;
  if (f.lockedBy.empty()) return false;
  const auto holder = d.services.find(f.lockedBy);
  return holder == d.services.end() || holder->second.state != plat::svc::Stopped;
}

}  // namespace sim
