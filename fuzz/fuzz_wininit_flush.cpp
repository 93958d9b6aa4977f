// Feeds arbitrary WinInit.INI texts and rename entries to the [Rename]
// merge, and arbitrary batch texts to the reboot batch rewrite. Input: file
// text, a zero byte, then entries one per line. Besides not crashing:
// exactly one [Rename] section holding every entry, nothing blank or
// untrimmed written, a second flush changes nothing, and the batch always
// ends with its one self-deleting line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "maker/maker_identity.h"
#include "platform/text.h"
#include "system/reboot_batch.h"
#include "system/text_file_lines.h"
#include "system/wininit_rename.h"

namespace {
void Check(bool ok) {
  if (!ok) std::abort();
}

// The entries the deleter can hold: trimmed, not blank, no section header,
// no two equal.
std::vector<std::string> EntriesFrom(std::string_view text) {
  std::vector<std::string> entries;
  for (const auto& line : SplitFileLines(text)) {
    const std::string_view trimmed = text::Trim(line);
    if (trimmed.empty() || trimmed.front() == '[') continue;
    AppendUniqueIgnoringCase(entries, trimmed);
  }
  return entries;
}

void CheckMerge(std::string_view file, const std::vector<std::string>& entries) {
  const auto out = MergeRenameSection(file, entries);
  std::size_t headers = 0;
  std::size_t sectionStart = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    Check(!out[i].empty() && text::Trim(out[i]) == out[i]);
    if (text::IEquals(out[i], kRenameSectionHeader)) {
      ++headers;
      sectionStart = i + 1;
    }
  }
  Check(headers == 1);
  // The new entries open the section, in their order.
  Check(out.size() >= sectionStart + entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) Check(out[sectionStart + i] == entries[i]);
  Check(MergeRenameSection(JoinFileLines(out), entries) == out);
}

void CheckBatch(std::string_view batch, std::string_view directory) {
  const auto lines = SplitFileLines(AppendToRebootBatch(batch, directory));
  const std::string selfDelete = "del \"" + std::string(maker::kRebootBatchPath) + "\"";
  Check(lines.size() >= 2 && lines.back() == selfDelete);
  // The directory reaches command.com with each "%" doubled, so that it
  // expands to the name itself.
  std::string literal;
  for (char c : directory) literal += c == '%' ? std::string("%%") : std::string(1, c);
  Check(lines[lines.size() - 2] == "rmdir \"" + literal + "\"");
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) Check(lines[i] != selfDelete);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\0');
  const std::string_view file = input.substr(0, split);
  const std::string_view rest = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
  CheckMerge(file, EntriesFrom(rest));

  // Directory names come from the file system: one line, no quote.
  const std::string_view firstLine = rest.substr(0, rest.find_first_of("\r\n\""));
  CheckBatch(file, firstLine);
  return 0;
}
