// The texts of the install log: its lists, one entry per line, and the
// registry entries of kinds 3 and 4 ("HKLM,\"Software\\Vorkast\\A, B\",Name").
// Anything the log hands over may be damaged; these only take it apart, and
// what cannot be taken apart is reported as such, never guessed at.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

// Appends the entries of a list text to `list`: the pieces between newline
// characters, empty pieces dropped, anything after the last newline ignored
// (the server ends every entry with one; a text cut short loses its tail).
void SplitList(std::string_view text, std::vector<std::string>& list);

// The comma-separated fields of a registry entry. A double quote starts or
// ends a quoted stretch, in which commas belong to the field; the quote
// characters are dropped and each field is trimmed of white space.
std::vector<std::string> SplitEntryFields(std::string_view entry);

struct LoggedRegistryEntry {
  plat::HKey root = plat::kNoHandle;
  std::string keyPath;
  // Empty: the unnamed default value.
  std::string valueName;
};

// Root "HKCR", "HKCU", "HKLM" or "HKU" in any case, the key path and an
// optional value name. Nothing for fewer than two fields, an unknown root
// or an empty key path (which would name the root itself).
std::optional<LoggedRegistryEntry> ParseRegistryEntry(std::string_view entry);
