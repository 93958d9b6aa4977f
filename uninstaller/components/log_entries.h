// The entries of a list text of the install log: pieces ended by a newline,
// empty ones dropped, text after the last newline ignored.
#pragma once
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::string> LogEntries(std::string_view text) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n', start)) {
    if (end > start) entries.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}
