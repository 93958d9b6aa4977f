// Line filters for the text configuration files of network-management
// platforms: the maker's add-ins leave lines in those files, and removing an
// add-in takes out exactly those lines. The files belong to the platform, so
// every other line comes back byte for byte, whatever its length.
#pragma once
#include <string_view>

#include "platform/file_system.h"

// Rewrites `path` without the lines that hold `pattern` (or, with
// `exactLine`, that are `pattern`), trailing white space of both ignored.
// False, with `path` as it was, when the file cannot be read, filtered
// through a temporary file or copied back.
[[nodiscard]] bool FilterConfigFile(plat::FileSystem& files, std::string_view path, std::string_view pattern,
                                    bool exactLine);

// Rewrites `path` without the lines that hold `word` in any mix of cases. A
// missing or unreadable file is left alone. `bracketKept` marks a platform's
// type file; its kept lines are written as they were read like any other.
void DropVendorLines(plat::FileSystem& files, std::string_view path, std::string_view word, bool bracketKept);
