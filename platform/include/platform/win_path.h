// How Windows reads a file name. A name that arrives as data (a driver's
// file list, an archive's member list, a machine image) may be spelled in a
// way Windows resolves to another, existing file: "UNIDRVUI.DLL." opens
// "UNIDRVUI.DLL", "a/b" is "a\b". Every comparison and every path built for
// a deletion goes through these rules, so that what is compared is what
// Windows would open.
#pragma once
#include <string>
#include <string_view>

namespace winpath {

// "\" and "/": Windows takes both as separators.
bool IsSeparator(char c);

// The part after the last separator; the whole text when there is none,
// empty when the path ends in a separator.
std::string_view LastComponent(std::string_view path);

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

}  // namespace winpath
