// Feeds arbitrary bytes to the install log's list splitter and to the
// registry-entry parser. Besides not crashing: every list entry is a
// non-empty piece of the text without a line break, and every field the
// parser gives is a part of the entry once quotes are dropped, so a damaged
// log can never name a key or value that it does not spell out.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "components/log_lists.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  std::vector<std::string> entries;
  SplitList(input, entries);
  for (const std::string& entry : entries) {
    if (entry.empty() || entry.find('\n') != std::string::npos) std::abort();
    if (input.find(entry + "\n") == std::string_view::npos) std::abort();
  }

  for (const std::string& entry : entries.empty() ? std::vector<std::string>{std::string(input)} : entries) {
    std::string unquoted;
    for (const char c : entry)
      if (c != '"') unquoted += c;
    const auto parsed = ParseRegistryEntry(entry);
    if (!parsed) continue;
    if (parsed->keyPath.empty() || parsed->root == 0) std::abort();
    if (unquoted.find(parsed->keyPath) == std::string::npos) std::abort();
    if (unquoted.find(parsed->valueName) == std::string::npos) std::abort();
  }
  return 0;
}
