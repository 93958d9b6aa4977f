#include "system/text_file_lines.h"

std::vector<std::string> SplitFileLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    const bool lastWithoutEnd = end == std::string_view::npos;
    if (lastWithoutEnd) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = lastWithoutEnd ? end : end + 1;
  }
  return lines;
}

std::string JoinFileLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}
