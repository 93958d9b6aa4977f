// The [Rename] section of WinInit.INI, which the 9x family works through at
// its next start: "destination=source" lines, "NUL" as destination deletes.
#pragma once
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kRenameSectionHeader[] = "[Rename]";
inline constexpr char kRenameFileName[] = "WinInit.INI";
inline constexpr char kRenameDeleteTarget[] = "NUL";

// Appends `line` unless an equal line (ignoring case) is already there.
// Yields whether it was added.
bool AppendUniqueIgnoringCase(std::vector<std::string>& list, std::string_view line);

// The lines of the rewritten file: every line of `fileText` trimmed, empty
// ones left out, the other sections where they stood, and one [Rename]
// section holding `entries` followed by the old section's lines that are not
// among them. The section keeps the place of the first old one (lines of
// later duplicate sections join it) or goes to the end.
std::vector<std::string> MergeRenameSection(std::string_view fileText, std::vector<std::string> entries);
