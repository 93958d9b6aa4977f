// One spelling for each Windows directory, so that paths that name the same
// place compare equal: forward slashes, doubled or trailing backslashes, "."
// and ".." segments, trailing dots and spaces of a name (Windows drops them),
// "\\?\" prefixes, relative and drive-relative forms. Short (8.3) names are
// not resolved here: that needs the file system (see ProtectedPaths).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

struct CanonicalPath {
  // "C:\Dir\Sub", "\\server\share\Dir"; a root alone is "C:" or
  // "\\server\share". Empty when the path has no root and no current
  // directory could give it one.
  std::string path;
  // `path` case-folded, for comparisons.
  std::string key;
  // Names below the root; 0 for a drive or share root.
  std::size_t depth = 0;
};

// `currentDirectory` (absolute) anchors relative paths; it may be empty.
CanonicalPath Canonicalize(std::string_view path, std::string_view currentDirectory);

// Whether `candidate` is `target` or one of its ancestors (both folded keys).
bool IsSameOrAncestorKey(std::string_view candidateKey, std::string_view targetKey);
