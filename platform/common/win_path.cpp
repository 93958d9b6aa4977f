#include "platform/win_path.h"

#include <utility>

#include "platform/text.h"

namespace winpath {

namespace {
bool IsStep(std::string_view name) { return name == "." || name == ".."; }
bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Where the last component starts: after the last separator, 0 when none.
std::size_t LastComponentStart(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1])) return i;
  }
  return 0;
}
}  // namespace

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsUnc(std::string_view path) { return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]); }

bool HasDrive(std::string_view path) { return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':'; }

bool IsDriveAbsolute(std::string_view path) { return HasDrive(path) && path.size() >= 3 && IsSeparator(path[2]); }

std::string_view LastComponent(std::string_view path) { return path.substr(LastComponentStart(path)); }

std::string_view Parent(std::string_view path) {
  const std::size_t start = LastComponentStart(path);
  return start == 0 ? std::string_view() : path.substr(0, start - 1);
}

std::vector<std::string_view> SplitNames(std::string_view path) {
  std::vector<std::string_view> names;
  std::size_t i = 0;
  while (i < path.size()) {
    while (i < path.size() && IsSeparator(path[i])) ++i;
    const std::size_t start = i;
    while (i < path.size() && !IsSeparator(path[i])) ++i;
    if (i > start) names.push_back(path.substr(start, i - start));
  }
  return names;
}

std::string_view FileName(std::string_view path) {
  const std::string_view name = LastComponent(path);
  return IsStepOrEmpty(name) ? std::string_view() : TrimName(name);
}

bool IsPlainName(std::string_view name) {
  if (name.empty() || IsStep(name)) return false;
  return name.find_first_of("\\/:") == std::string_view::npos;
}

bool IsContainedRelativePath(std::string_view path) {
  if (path.empty() || IsSeparator(path.front())) return false;  // root, UNC, "\\?\"
  for (char c : path) {
    // A colon names a drive or a stream; control characters name no file.
    if (c == ':' || static_cast<unsigned char>(c) < 0x20) return false;
  }
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::string_view part = path.substr(start, end - start);
    if (!part.empty() && IsStepOrEmpty(part)) return false;
    start = end + 1;
  }
  return true;
}

std::string_view TrimName(std::string_view name) {
  if (IsStep(name)) return name;
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
  return name;
}

bool IsStepOrEmpty(std::string_view name) { return IsStep(name) || TrimName(name).empty(); }

std::string Resolve(std::string_view path) {
  std::string out;
  std::size_t i = 0;
  if (IsUnc(path)) {
    out = "\\\\";
  } else if (!path.empty() && IsSeparator(path[0])) {
    out = "\\";
  }
  while (i < path.size() && IsSeparator(path[i])) ++i;
  bool first = true;
  bool separatorDue = false;
  while (i < path.size()) {
    std::size_t end = i;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    const std::string_view name = TrimName(path.substr(i, end - i));
    const bool followedBySeparator = end < path.size();
    i = end;
    while (i < path.size() && IsSeparator(path[i])) ++i;
    if (name.empty()) continue;
    if (separatorDue) out += '\\';
    out += name;
    separatorDue = true;
    // "C:\" is the drive's root, "C:" its current directory: keep the root.
    if (first && out.size() == 2 && out[1] == ':' && followedBySeparator) {
      out += '\\';
      separatorDue = false;
    }
    first = false;
  }
  return out;
}

std::string ComparisonKey(std::string_view path) { return text::Fold(Resolve(path)); }

bool SameFile(std::string_view a, std::string_view b) { return ComparisonKey(a) == ComparisonKey(b); }

namespace {
// Applies `names` to `stack` the way Windows resolves a path: "." stays,
// ".." goes up but never above the root, trailing dots and spaces fall off.
void ApplyNames(std::vector<std::string>& stack, std::string_view rest) {
  for (std::string_view name : SplitNames(rest)) {
    if (name == ".") continue;
    if (name == "..") {
      if (!stack.empty()) stack.pop_back();
      continue;
    }
    name = TrimName(name);
    if (!name.empty()) stack.emplace_back(name);
  }
}

struct Rooted {
  std::string root;  // "C:" or "\\server\share"; empty when unknown
  std::vector<std::string> names;
};

Rooted SplitRoot(std::string_view path) {
  Rooted r;
  if (IsUnc(path)) {
    auto names = SplitNames(path);
    r.root = "\\\\";
    if (!names.empty()) r.root += names[0];
    if (names.size() > 1) r.root += "\\" + std::string(names[1]);
    std::string rest;
    for (std::size_t i = 2; i < names.size(); ++i) rest += "\\" + std::string(names[i]);
    ApplyNames(r.names, rest);
    return r;
  }
  if (HasDrive(path)) {
    r.root = std::string(path.substr(0, 2));
    ApplyNames(r.names, path.substr(2));
  }
  return r;
}

std::string_view StripDevicePrefix(std::string_view path, std::string& scratch) {
  auto starts = [&](std::string_view p) {
    if (path.size() < p.size()) return false;
    for (std::size_t i = 0; i < p.size(); ++i)
      if (IsSeparator(p[i]) ? !IsSeparator(path[i]) : path[i] != p[i]) return false;
    return true;
  };
  if (starts("\\\\?\\UNC\\") || starts("\\\\?\\unc\\")) {
    scratch = "\\\\" + std::string(path.substr(8));
    return scratch;
  }
  if (starts("\\\\?\\") || starts("\\\\.\\")) return path.substr(4);
  return path;
}
}  // namespace

FullPath Canonicalize(std::string_view rawPath, std::string_view currentDirectory) {
  std::string scratch;
  const std::string_view path = StripDevicePrefix(rawPath, scratch);
  Rooted r;
  if (IsUnc(path) || IsDriveAbsolute(path)) {
    r = SplitRoot(path);
  } else {
    // Relative forms lean on the current directory: "dir", "\dir" (its
    // drive) and "C:dir" (when that drive is the current one).
    Rooted cwd = SplitRoot(currentDirectory);
    if (HasDrive(path)) {
      if (!cwd.root.empty() && text::IEquals(cwd.root, path.substr(0, 2))) {
        r = std::move(cwd);
      } else {
        r.root = std::string(path.substr(0, 2));
      }
      ApplyNames(r.names, path.substr(2));
    } else {
      r.root = std::move(cwd.root);
      if (path.empty() || !IsSeparator(path[0])) r.names = std::move(cwd.names);
      ApplyNames(r.names, path);
    }
  }

  FullPath out;
  if (r.root.empty() && r.names.empty()) return out;
  out.path = r.root;
  for (const auto& name : r.names) {
    if (!out.path.empty()) out.path += '\\';
    out.path += name;
  }
  out.key = text::Fold(out.path);
  out.depth = r.names.size();
  return out;
}

bool IsSameOrAncestorKey(std::string_view candidateKey, std::string_view targetKey) {
  if (candidateKey.empty()) return false;
  if (targetKey == candidateKey) return true;
  return targetKey.size() > candidateKey.size() && targetKey.substr(0, candidateKey.size()) == candidateKey &&
         targetKey[candidateKey.size()] == '\\';
}

}  // namespace winpath
