// How Windows reads a path: separators, roots, the last component, trailing
// dots and blanks, steps and folding. A name that arrives as data (a driver's
// file list, an archive's member list, a machine image) may be spelled in a
// way Windows resolves to another, existing file: "UNIDRVUI.DLL." opens
// "UNIDRVUI.DLL", "a/b" is "a\b". Every comparison and every path built for
// a deletion goes through these rules, in the core and the simulated machine
// alike, so that what is compared is what Windows would open.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace winpath {

// "\" and "/": Windows takes both as separators.
bool IsSeparator(char c);

// "\\server\share...": a path on a share (or a device, "\\?\...").
bool IsUnc(std::string_view path);
// "C:...": a path that names its drive.
bool HasDrive(std::string_view path);
// "C:\...": rooted on a named drive, leaning on no current directory.
bool IsDriveAbsolute(std::string_view path);

// The part after the last separator; the whole text when there is none,
// empty when the path ends in a separator.
std::string_view LastComponent(std::string_view path);
// The part before the last separator; empty when there is none.
std::string_view Parent(std::string_view path);
// The names between separators, empty ones (doubled separators) left out.
std::vector<std::string_view> SplitNames(std::string_view path);

// The file name a path ends in, as Windows resolves it (LastComponent,
// trimmed); empty when the path ends in a separator or a step.
std::string_view FileName(std::string_view path);
// One name that can be joined to a directory without leaving it: no
// separator, no drive or stream colon, not a step.
bool IsPlainName(std::string_view name);
// A relative path that stays inside the folder it is joined to: no root, no
// drive or stream colon, no control character, and no part that Windows
// reads as a step (".", "..", and dots and blanks only, "...", ". .").
bool IsContainedRelativePath(std::string_view path);

// A name as Windows resolves it: trailing dots and blanks fall off
// ("A.DLL. " is "A.DLL"). "." and ".." are steps, not names, and stay.
// A name of dots and blanks only (". .", "...") resolves to nothing.
std::string_view TrimName(std::string_view name);

// True when `name` (one component) names no file of its own: empty, a
// step ("." or ".."), or dots and blanks only.
bool IsStepOrEmpty(std::string_view name);

// The path with every name trimmed (TrimName), "/" read as "\" and runs of
// separators read as one (a leading "\\" of a share stays). Names that
// trim to nothing are dropped; "." and ".." are kept for the caller. The
// case is kept.
std::string Resolve(std::string_view path);

// Resolve, case-folded: equal keys name the same file.
std::string ComparisonKey(std::string_view path);

// Whether two paths (or two names) name the same file.
bool SameFile(std::string_view a, std::string_view b);

// A path as GetFullPathName resolves it against a current directory: one
// spelling per directory, so that paths that name the same place compare
// equal. Besides Resolve's rules, "." and ".." steps are taken (never above
// the root), "\\?\" prefixes fall off, and relative and drive-relative forms
// lean on the current directory. Short (8.3) names are not resolved here:
// that needs the file system.
struct FullPath {
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
FullPath Canonicalize(std::string_view path, std::string_view currentDirectory);

// Whether `candidate` is `target` or one of its ancestors (both folded keys).
bool IsSameOrAncestorKey(std::string_view candidateKey, std::string_view targetKey);

}  // namespace winpath
