#include "sim_files.h"

#include <algorithm>
#include <utility>

#include "model/file_tree.h"
#include "model/machine_paths.h"
#include "model/machine_state.h"
#include "platform/file_system.h"
#include "platform/win_errors.h"
#include "platform/win_path.h"

namespace sim {

namespace {
constexpr plat::WinError kErrorDirectory = winerr::NotADirectory;

// A path that names its drive or share; anything else leans on the current directory.
bool IsAbsolute(std::string_view p) { return winpath::HasDrive(p) || winpath::IsUnc(p); }

// The error for a path that does not exist: the file is missing, or already
// its directory is.
plat::WinError MissingError(const MachineData& d, const std::string& path) {
  const std::string parent = ParentOf(path);
  return !parent.empty() && DirectoryExists(d, parent) ? winerr::FileNotFound : winerr::PathNotFound;
}

bool HasWildcard(std::string_view s) { return s.find_first_of("*?") != std::string_view::npos; }

bool NameMatches(std::string_view pattern, const std::string& name, const std::string& shortName) {
  // "*.*" means everything, also names without a dot, as on Windows.
  if (pattern == "*.*") pattern = "*";
  return text::WildcardMatch(pattern, name) || (!shortName.empty() && text::WildcardMatch(pattern, shortName));
}

plat::FindEntry EntryOf(const FileEntry& f) {
  plat::FindEntry e;
  e.name = LeafOf(f.path);
  e.shortName = f.shortName;
  e.attributes = f.attributes;
  e.size = f.content ? f.content->size() : 0;
  return e;
}
}  // namespace

namespace {
// Windows drops the trailing dots and blanks of every name ("A.DLL." opens
// "A.DLL"); a name of nothing else names no level at all.
std::string TrimNames(const std::string& path) {
  std::string out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(path.find('\\', start), path.size());
    const std::string_view piece(path.data() + start, end - start);
    const std::string_view name = piece.empty() ? piece : winpath::TrimName(piece);
    if (piece.empty() || !name.empty()) {
      if (start > 0) out += '\\';
      out += name;
    }
    if (end == path.size()) return out;
    start = end + 1;
  }
}
}  // namespace

// "c:/dir//x.\\" -> "c:\\dir\\x": the forms Windows accepts for one path.
std::string NormalizeFilePath(std::string_view path) {
  std::string out;
  for (char c : path) {
    if (winpath::IsSeparator(c)) c = '\\';
    if (c == '\\' && !out.empty() && out.back() == '\\' && out.size() > 1) continue;
    out.push_back(c);
  }
  out = TrimNames(out);
  while (out.size() > 3 && out.back() == '\\') out.pop_back();
  if (out.size() == 3 && out[1] == ':' && out[2] == '\\') out.pop_back();  // "C:\\" is the drive "C:"
  return out;
}

namespace {
// Windows accepts an 8.3 alternate wherever a name goes: each component that
// is no entry's long name but some sibling's short name becomes that long name.
// Takes the path by value: a path that is already long is handed back as is.
std::string LongForm(const MachineData& d, std::string path) {
  if (d.files.count(path) || path.find('~') == std::string::npos) return path;
  std::string out;
  for (const auto& piece : text::Split(path, '\\')) {
    std::string next = out.empty() ? piece : out + "\\" + piece;
    if (!out.empty() && !d.files.count(next)) {
      for (const FileEntry* c : ChildrenOf(d, out))
        if (text::IEquals(c->shortName, piece)) {
          next = c->path;
          break;
        }
    }
    out = std::move(next);
  }
  return out;
}
}  // namespace

std::string SimFiles::Resolve(std::string_view path) const {
  if (path.empty() || IsAbsolute(path)) return LongForm(m_.data, NormalizeFilePath(path));
  std::string out = m_.data.currentDirectory;
  if (winpath::IsSeparator(path[0])) out = out.substr(0, 2);  // "\\x": from the drive's root
  // "." and ".." steps are resolved the way GetFullPathName does.
  for (const auto& piece : text::Split(NormalizeFilePath(path), '\\')) {
    if (piece.empty() || piece == ".") continue;
    if (piece == "..") {
      if (!IsDrive(out)) out = ParentOf(out);
      continue;
    }
    out += "\\" + piece;
  }
  return LongForm(m_.data, std::move(out));
}

plat::WinError SimFiles::GetAttributes(std::string_view rawPath, std::uint32_t* attributes) {
  if (auto f = m_.Fault("FileSystem.GetAttributes", rawPath)) return *f;
  if (attributes) *attributes = plat::kInvalidFileAttributes;
  const std::string path = Resolve(rawPath);
  if (path.empty()) return winerr::PathNotFound;
  const auto file = m_.data.files.find(path);
  if (file != m_.data.files.end()) {
    if (attributes) *attributes = file->second.attributes;
    return winerr::Success;
  }
  if (DirectoryExists(m_.data, path)) {
    if (attributes) *attributes = plat::fileattr::Directory;
    return winerr::Success;
  }
  return MissingError(m_.data, path);
}

plat::WinError SimFiles::SetAttributes(std::string_view rawPath, std::uint32_t attributes) {
  if (auto f = m_.Fault("FileSystem.SetAttributes", rawPath)) return *f;
  const std::string path = Resolve(rawPath);
  const auto file = m_.data.files.find(path);
  if (file == m_.data.files.end()) return DirectoryExists(m_.data, path) ? winerr::Success : MissingError(m_.data, path);
  // The directory bit is not the caller's to change; NORMAL alone means none.
  const std::uint32_t kept = file->second.attributes & plat::fileattr::Directory;
  std::uint32_t wanted = attributes & ~(plat::fileattr::Directory | plat::fileattr::Normal);
  file->second.attributes = kept | wanted;
  return winerr::Success;
}

plat::WinError SimFiles::RemoveFile(std::string_view rawPath) {
  if (auto f = m_.Fault("FileSystem.RemoveFile", rawPath)) return *f;
  const std::string path = Resolve(rawPath);
  const auto file = m_.data.files.find(path);
  if (file == m_.data.files.end()) return MissingError(m_.data, path);
  const FileEntry& e = file->second;
  if (e.IsDirectory() || (e.attributes & plat::fileattr::ReadOnly)) return winerr::AccessDenied;
  if (IsLocked(m_.data, e)) return winerr::SharingViolation;
  m_.Record({{"event", "fileDeleted"}, {"path", e.path}});
  m_.data.files.erase(file);
  return winerr::Success;
}

plat::WinError SimFiles::RemoveDir(std::string_view rawPath) {
  if (auto f = m_.Fault("FileSystem.RemoveDir", rawPath)) return *f;
  const std::string path = Resolve(rawPath);
  const auto dir = m_.data.files.find(path);
  if (dir == m_.data.files.end()) return IsDrive(path) ? winerr::AccessDenied : MissingError(m_.data, path);
  if (!dir->second.IsDirectory()) return kErrorDirectory;
  if (dir->second.attributes & plat::fileattr::ReadOnly) return winerr::AccessDenied;
  if (HasChildren(m_.data, path)) return winerr::DirNotEmpty;
  if (text::IEquals(path, m_.data.currentDirectory)) return winerr::SharingViolation;
  m_.Record({{"event", "dirRemoved"}, {"path", dir->second.path}});
  m_.data.files.erase(dir);
  return winerr::Success;
}

plat::WinError SimFiles::MakeDir(std::string_view rawPath) {
  if (auto f = m_.Fault("FileSystem.MakeDir", rawPath)) return *f;
  const std::string path = Resolve(rawPath);
  if (path.empty()) return winerr::PathNotFound;
  if (m_.data.files.count(path) || DirectoryExists(m_.data, path)) return winerr::AlreadyExists;
  if (!DirectoryExists(m_.data, ParentOf(path))) return winerr::PathNotFound;
  AddEntry(m_.data, path, plat::fileattr::Directory);
  m_.Record({{"event", "dirCreated"}, {"path", path}});
  return winerr::Success;
}

plat::WinError SimFiles::Find(std::string_view rawPattern, std::vector<plat::FindEntry>* out) {
  if (auto f = m_.Fault("FileSystem.Find", rawPattern)) return *f;
  if (out) out->clear();
  const std::string full = Resolve(rawPattern);
  const std::string dir = ParentOf(full);
  const std::string pattern = LeafOf(full);
  if (dir.empty() || !DirectoryExists(m_.data, dir)) return winerr::PathNotFound;
  std::vector<plat::FindEntry> found;
  if (!HasWildcard(pattern)) {
    // A plain name finds its file by the long or the short name.
    for (const FileEntry* c : ChildrenOf(m_.data, dir))
      if (text::IEquals(LeafOf(c->path), pattern) || text::IEquals(c->shortName, pattern)) {
        found.push_back(EntryOf(*c));
        break;
      }
  } else {
    // A drive's root has no "." and ".." entries; every other directory does.
    if (!IsDrive(dir)) {
      for (const char* dots : {".", ".."})
        if (NameMatches(pattern, dots, "")) found.push_back(plat::FindEntry{dots, "", plat::fileattr::Directory, 0});
    }
    for (const FileEntry* c : ChildrenOf(m_.data, dir))
      if (NameMatches(pattern, LeafOf(c->path), c->shortName)) found.push_back(EntryOf(*c));
  }
  if (found.empty()) return winerr::FileNotFound;
  if (out) *out = std::move(found);
  return winerr::Success;
}

plat::WinError SimFiles::ShortPath(std::string_view rawPath, std::string* out) {
  if (auto f = m_.Fault("FileSystem.ShortPath", rawPath)) return *f;
  const std::string path = Resolve(rawPath);
  if (!m_.data.files.count(path) && !DirectoryExists(m_.data, path)) return MissingError(m_.data, path);
  // Each component that has an alternate name is replaced by it.
  std::string shortPath;
  std::string walked;
  for (const auto& piece : text::Split(path, '\\')) {
    walked += (walked.empty() ? "" : "\\") + piece;
    const auto it = m_.data.files.find(walked);
    const bool hasAlternate = it != m_.data.files.end() && !it->second.shortName.empty();
    shortPath += (shortPath.empty() ? "" : "\\") + (hasAlternate ? it->second.shortName : piece);
  }
  if (IsDrive(shortPath)) shortPath += "\\";
  if (out) *out = shortPath;
  return winerr::Success;
}

plat::WinError SimFiles::MoveOnReboot(std::string_view rawSource, std::string_view rawDestination) {
  if (auto f = m_.Fault("FileSystem.MoveOnReboot", rawSource)) return *f;
  // The 9x family has no delayed move; its programs write WinInit.INI.
  if (!m_.data.IsNT()) return winerr::CallNotImplemented;
  // The move list lives under HKEY_LOCAL_MACHINE, which only administrators write.
  if (!m_.data.token.IsAdministrator()) return winerr::AccessDenied;
  const std::string source = Resolve(rawSource);
  const std::string destination = rawDestination.empty() ? std::string() : Resolve(rawDestination);
  m_.Record({{"event", "moveOnReboot"}, {"source", source}, {"destination", destination}});
  return winerr::Success;
}

plat::WinError SimFiles::Rename(std::string_view rawSource, std::string_view rawDestination) {
  if (auto f = m_.Fault("FileSystem.Rename", rawSource)) return *f;
  const std::string source = Resolve(rawSource);
  const std::string destination = Resolve(rawDestination);
  const auto it = m_.data.files.find(source);
  if (it == m_.data.files.end()) return MissingError(m_.data, source);
  if (m_.data.files.count(destination)) return winerr::AlreadyExists;
  if (!DirectoryExists(m_.data, ParentOf(destination))) return winerr::PathNotFound;
  if (IsLocked(m_.data, it->second)) return winerr::SharingViolation;
  // A directory moves with everything below it; nothing below may be in use.
  std::vector<std::string> moving{source};
  const std::string prefix = source + "\\";
  for (auto c = m_.data.files.lower_bound(prefix); c != m_.data.files.end() && text::IStartsWith(c->first, prefix); ++c) {
    if (IsLocked(m_.data, c->second)) return winerr::AccessDenied;
    moving.push_back(c->first);
  }
  if (text::IStartsWith(destination, prefix)) return winerr::InvalidParameter;  // into itself
  std::vector<FileEntry> moved;
  for (const auto& p : moving) {
    auto node = m_.data.files.extract(p);
    node.mapped().path = destination + node.mapped().path.substr(source.size());
    moved.push_back(std::move(node.mapped()));
  }
  for (auto& e : moved) {
    const std::string path = e.path;
    const bool top = text::IEquals(path, destination);
    if (top) e.shortName = MakeShortName(m_.data, ParentOf(path), LeafOf(path));
    m_.data.files.insert_or_assign(path, std::move(e));
  }
  m_.Record({{"event", "fileRenamed"}, {"source", source}, {"destination", destination}});
  return winerr::Success;
}

plat::WinError SimFiles::CopyTo(std::string_view rawSource, std::string_view rawDestination, bool failIfExists) {
  if (auto f = m_.Fault("FileSystem.CopyTo", rawSource)) return *f;
  const std::string source = Resolve(rawSource);
  const std::string destination = Resolve(rawDestination);
  const auto from = m_.data.files.find(source);
  if (from == m_.data.files.end()) return MissingError(m_.data, source);
  if (from->second.IsDirectory()) return winerr::AccessDenied;
  if (!DirectoryExists(m_.data, ParentOf(destination))) return winerr::PathNotFound;
  const auto to = m_.data.files.find(destination);
  if (to != m_.data.files.end()) {
    if (failIfExists) return winerr::FileExists;
    if (to->second.IsDirectory() || (to->second.attributes & plat::fileattr::ReadOnly)) return winerr::AccessDenied;
    if (IsLocked(m_.data, to->second)) return winerr::SharingViolation;
  }
  if (text::IEquals(source, destination)) return winerr::SharingViolation;
  const FileEntry copy = from->second;
  FileEntry& e = to != m_.data.files.end() ? to->second : AddEntry(m_.data, destination, 0);
  e.attributes = copy.attributes | plat::fileattr::Archive;
  e.content = copy.content;
  e.company = copy.company;
  m_.Record({{"event", "fileCopied"}, {"source", source}, {"destination", destination}});
  return winerr::Success;
}

plat::WinError SimFiles::VersionCompany(std::string_view rawPath, std::string* company) {
  if (company) company->clear();
  if (auto f = m_.Fault("FileSystem.VersionCompany", rawPath)) return *f;
  const std::string path = Resolve(rawPath);
  const auto it = m_.data.files.find(path);
  if (it == m_.data.files.end()) return DirectoryExists(m_.data, path) ? winerr::AccessDenied : MissingError(m_.data, path);
  if (it->second.IsDirectory()) return winerr::AccessDenied;
  if (!it->second.company) return winerr::ResourceTypeNotFound;
  if (company) *company = *it->second.company;
  return winerr::Success;
}

plat::WinError SimFiles::IsProtectedSystemFile(std::string_view rawPath, bool* isProtected) {
  if (isProtected) *isProtected = false;
  if (auto f = m_.Fault("FileSystem.IsProtectedSystemFile", rawPath)) return *f;
  if (!m_.data.IsNT() || m_.data.os.major < 5) return winerr::CallNotImplemented;
  // Protection goes by name, whether or not the file is there now.
  const auto it = m_.data.files.find(Resolve(rawPath));
  if (isProtected) *isProtected = it != m_.data.files.end() && it->second.isProtected;
  return winerr::Success;
}

plat::WinError SimFiles::ReadText(std::string_view rawPath, std::string* content) {
  if (auto f = m_.Fault("FileSystem.ReadText", rawPath)) return *f;
  const std::string path = Resolve(rawPath);
  const auto it = m_.data.files.find(path);
  if (it == m_.data.files.end()) return DirectoryExists(m_.data, path) ? winerr::AccessDenied : MissingError(m_.data, path);
  if (it->second.IsDirectory()) return winerr::AccessDenied;
  if (content) *content = it->second.content.value_or(std::string());
  return winerr::Success;
}

plat::WinError SimFiles::WriteText(std::string_view rawPath, std::string_view content) {
  if (auto f = m_.Fault("FileSystem.WriteText", rawPath)) return *f;
  const std::string path = Resolve(rawPath);
  if (!DirectoryExists(m_.data, ParentOf(path))) return winerr::PathNotFound;
  auto it = m_.data.files.find(path);
  if (it != m_.data.files.end()) {
    if (it->second.IsDirectory() || (it->second.attributes & plat::fileattr::ReadOnly)) return winerr::AccessDenied;
    if (IsLocked(m_.data, it->second)) return winerr::SharingViolation;
  }
  FileEntry& e = it != m_.data.files.end() ? it->second : AddEntry(m_.data, path, plat::fileattr::Archive);
  e.content = std::string(content);
  e.company.reset();  // text carries no version resource
  m_.Record({{"event", "fileWritten"}, {"path", path}, {"bytes", content.size()}});
  return winerr::Success;
}

std::string SimFiles::WindowsDirectory() { return WindowsDir(m_.data); }
std::string SimFiles::SystemDirectory() { return SystemDir(m_.data); }
std::string SimFiles::TempDirectory() { return TempDir(m_.data) + "\\"; }
std::string SimFiles::CurrentDirectory() { return m_.data.currentDirectory; }

plat::WinError SimFiles::SetCurrentDir(std::string_view rawPath) {
  if (auto f = m_.Fault("FileSystem.SetCurrentDir", rawPath)) return *f;
  const std::string path = Resolve(rawPath);
  if (!DirectoryExists(m_.data, path)) return m_.data.files.count(path) ? kErrorDirectory : MissingError(m_.data, path);
  m_.data.currentDirectory = path;
  return winerr::Success;
}

}  // namespace sim

namespace sim {

// GetTempFileName with uUnique 0: the first three characters of the prefix,
// then the first number in hexadecimal (1 to FFFF) whose name is free. The
// machine's clock does not pick the start, so a run names its files the same
// every time.
plat::WinError SimFiles::CreateTempFile(std::string_view rawDirectory, std::string_view prefix, std::string* path) {
  path->clear();
  if (auto f = m_.Fault("FileSystem.CreateTempFile", rawDirectory)) return *f;
  const std::string dir = Resolve(rawDirectory);
  if (!DirectoryExists(m_.data, dir)) return m_.data.files.count(dir) ? kErrorDirectory : winerr::PathNotFound;
  const std::string_view pfx = prefix.substr(0, 3);
  if (pfx.find_first_of("\\/") != std::string_view::npos) return winerr::PathNotFound;
  const std::string stem = dir + "\\" + std::string(pfx);
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (std::uint32_t unique = 1; unique <= 0xFFFF; ++unique) {
    std::string digits;
    for (std::uint32_t n = unique; n != 0; n >>= 4) digits.insert(digits.begin(), kHex[n & 0xF]);
    const std::string candidate = stem + digits + ".TMP";
    if (m_.data.files.count(candidate)) continue;
    AddEntry(m_.data, candidate, plat::fileattr::Archive).content = std::string();
    m_.Record({{"event", "tempFileCreated"}, {"path", candidate}});
    *path = candidate;
    return winerr::Success;
  }
  return winerr::FileExists;
}

}  // namespace sim
