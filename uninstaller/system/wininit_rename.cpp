#include "system/wininit_rename.h"

#include "platform/text.h"
#include "system/text_file_lines.h"

bool AppendUniqueIgnoringCase(std::vector<std::string>& list, std::string_view line) {
  for (const auto& present : list)
    if (text::IEquals(present, line)) return false;
  list.emplace_back(line);
  return true;
}

namespace {
bool IsSectionHeader(std::string_view line) { return !line.empty() && line.front() == '['; }
bool IsRenameHeader(std::string_view line) { return text::IEquals(line, kRenameSectionHeader); }
}  // namespace

std::vector<std::string> MergeRenameSection(std::string_view fileText, std::vector<std::string> entries) {
  std::vector<std::string> lines;
  for (const auto& raw : SplitFileLines(fileText)) {
    const std::string_view line = text::Trim(raw);
    if (!line.empty()) lines.emplace_back(line);
  }

  // First gather every old entry, so that a file with the section twice
  // still gets it once, complete.
  bool inRename = false;
  for (const auto& line : lines) {
    if (IsSectionHeader(line)) inRename = IsRenameHeader(line);
    else if (inRename) AppendUniqueIgnoringCase(entries, line);
  }

  std::vector<std::string> out;
  bool written = false;
  auto writeSection = [&] {
    if (written) return;
    out.emplace_back(kRenameSectionHeader);
    out.insert(out.end(), entries.begin(), entries.end());
    written = true;
  };
  inRename = false;
  for (const auto& line : lines) {
    if (IsSectionHeader(line)) {
      if (inRename) writeSection();
      inRename = IsRenameHeader(line);
      if (inRename) continue;
    }
    if (!inRename) out.push_back(line);
  }
  writeSection();  // the section was the last one, or there was none
  return out;
}
