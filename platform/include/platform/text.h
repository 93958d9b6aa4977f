// Text helpers. Strings are UTF-8 inside the system; every case-insensitive
// comparison goes through IEquals/ILess so that the rule is the same everywhere
// (Windows compares registry, file and printer names without case).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace text {
// Case folding of one code point: ASCII, Latin-1 and the common Latin,
// Greek and Cyrillic letters fold the way Windows' upper-casing table does.
char32_t FoldCase(char32_t c);
std::string Fold(std::string_view s);
bool IEquals(std::string_view a, std::string_view b);
bool ILess(std::string_view a, std::string_view b);
bool IStartsWith(std::string_view s, std::string_view prefix);
bool IEndsWith(std::string_view s, std::string_view suffix);

// Comparator for maps keyed without case.
struct ILessFn {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return ILess(a, b); }
};

// UTF-8 <-> UTF-16. Invalid UTF-8 bytes become U+FFFD; lone surrogates too.
std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

// Splits on a single character; keeps empty pieces.
std::vector<std::string> Split(std::string_view s, char sep);
std::string_view Trim(std::string_view s);

// Wildcard match with '*' and '?', without case (used for fault patterns and
// file enumeration).
bool WildcardMatch(std::string_view pattern, std::string_view s);
}  // namespace text
