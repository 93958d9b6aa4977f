#include "system/reboot_batch.h"

#include <vector>

#include "maker/maker_identity.h"
#include "platform/text.h"
#include "system/text_file_lines.h"

namespace {
// Case-blind: the batch file name is a path, whoever wrote the line.
bool ContainsIgnoringCase(std::string_view s, std::string_view part) {
  if (part.size() > s.size()) return false;
  for (std::size_t i = 0; i + part.size() <= s.size(); ++i)
    if (text::IStartsWith(s.substr(i), part)) return true;
  return false;
}
// command.com reads "%name%" in a batch line as a variable and drops a lone
// "%"; a directory name reaches rmdir unchanged only with each "%" doubled.
std::string BatchLiteral(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '%') out.push_back('%');
    out.push_back(c);
  }
  return out;
}
}  // namespace

std::string RebootBatchLines(std::string_view directory) {
  return JoinFileLines(
      {"rmdir \"" + BatchLiteral(directory) + "\"", "del \"" + std::string(maker::kRebootBatchPath) + "\""});
}

std::string AppendToRebootBatch(std::string_view batchText, std::string_view directory) {
  std::vector<std::string> kept;
  for (auto& line : SplitFileLines(batchText))
    if (!ContainsIgnoringCase(line, maker::kRebootBatchPath)) kept.push_back(std::move(line));
  return JoinFileLines(kept) + RebootBatchLines(directory);
}

std::string RebootBatchCommand(std::string_view windowsDirectory) {
  return std::string(windowsDirectory) + "\\command.com /C " + std::string(maker::kRebootBatchPath);
}
