#include "platform/win_path.h"

#include "platform/text.h"

namespace winpath {

namespace {
bool IsStep(std::string_view name) { return name == "." || name == ".."; }
}  // namespace

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string_view LastComponent(std::string_view path) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1])) return path.substr(i);
  }
  return path;
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
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
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

}  // namespace winpath
