// The character rules of the INI model: what counts as white space around a
// line, a key or a value, and the lower case that keys are kept in. They
// agree with text::IEquals, so a key lowered here still matches every
// spelling that compares equal to it.
#pragma once
#include <string>
#include <string_view>

namespace ini {

// Without leading and trailing blanks, tabs, line ends, vertical tabs and
// form feeds. Bytes of multi-byte characters are never blanks.
std::string_view Trim(std::string_view s);

// Lower case of ASCII and of the Latin, Greek and Cyrillic letters that
// text::FoldCase knows; everything else, malformed bytes included, is kept
// byte for byte.
std::string Lower(std::string_view s);

}  // namespace ini
