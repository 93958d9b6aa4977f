#include "system/canonical_path.h"

#include <vector>

#include "platform/text.h"

namespace {
bool IsSlash(char c) { return c == '\\' || c == '/'; }
bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::vector<std::string_view> SplitNames(std::string_view s) {
  std::vector<std::string_view> names;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsSlash(s[i])) ++i;
    const std::size_t start = i;
    while (i < s.size() && !IsSlash(s[i])) ++i;
    if (i > start) names.push_back(s.substr(start, i - start));
  }
  return names;
}

// Applies `names` to `stack` the way Windows resolves a path: "." stays,
// ".." goes up but never above the root, trailing dots and spaces fall off.
void ApplyNames(std::vector<std::string>& stack, std::string_view rest) {
  for (std::string_view name : SplitNames(rest)) {
    if (name == ".") continue;
    if (name == "..") {
      if (!stack.empty()) stack.pop_back();
      continue;
    }
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
    if (!name.empty()) stack.emplace_back(name);
  }
}

struct Rooted {
  std::string root;  // "C:" or "\\server\share"; empty when unknown
  std::vector<std::string> names;
};

Rooted SplitRoot(std::string_view path) {
  Rooted r;
  if (path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1])) {
    auto names = SplitNames(path);
    r.root = "\\\\";
    if (!names.empty()) r.root += names[0];
    if (names.size() > 1) r.root += "\\" + std::string(names[1]);
    std::string rest;
    for (std::size_t i = 2; i < names.size(); ++i) rest += "\\" + std::string(names[i]);
    ApplyNames(r.names, rest);
    return r;
  }
  if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') {
    r.root = std::string(path.substr(0, 2));
    ApplyNames(r.names, path.substr(2));
  }
  return r;
}

std::string_view StripDevicePrefix(std::string_view path, std::string& scratch) {
  auto starts = [&](std::string_view p) {
    if (path.size() < p.size()) return false;
    for (std::size_t i = 0; i < p.size(); ++i)
      if (IsSlash(p[i]) ? !IsSlash(path[i]) : path[i] != p[i]) return false;
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

CanonicalPath Canonicalize(std::string_view rawPath, std::string_view currentDirectory) {
  std::string scratch;
  const std::string_view path = StripDevicePrefix(rawPath, scratch);
  Rooted r;
  const bool unc = path.size() >= 2 && IsSlash(path[0]) && IsSlash(path[1]);
  const bool drive = path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':';
  const bool driveAbsolute = drive && path.size() >= 3 && IsSlash(path[2]);
  if (unc || driveAbsolute) {
    r = SplitRoot(path);
  } else {
    // Relative forms lean on the current directory: "dir", "\dir" (its
    // drive) and "C:dir" (when that drive is the current one).
    Rooted cwd = SplitRoot(currentDirectory);
    if (drive) {
      if (!cwd.root.empty() && text::IEquals(cwd.root, path.substr(0, 2))) {
        r = std::move(cwd);
      } else {
        r.root = std::string(path.substr(0, 2));
      }
      ApplyNames(r.names, path.substr(2));
    } else {
      r.root = std::move(cwd.root);
      if (path.empty() || !IsSlash(path[0])) r.names = std::move(cwd.names);
      ApplyNames(r.names, path);
    }
  }

  CanonicalPath out;
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
