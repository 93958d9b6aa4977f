// Feeds arbitrary bytes to the model-list readers as the content of
// "Drivers.ini". Besides not crashing, every name they give must be a
// non-empty, trimmed part of one line of the input: anything else would let
// a broken file mark a driver as the maker's.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "printing/model_list.h"

namespace {

void CheckNames(const TextLines& file, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (name.empty() || text::Trim(name) != name || name.size() > TextLines::kMaxLineLength) std::abort();
    bool found = false;
    for (const std::string& line : file.lines) {
      if (line.find(name) != std::string::npos) {
        found = true;
        break;
      }
    }
    if (!found) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const TextLines file = TextLines::FromContent(content);
  for (const std::string& line : file.lines) {
    if (line.size() > TextLines::kMaxLineLength || line.find('\n') != std::string::npos) std::abort();
  }

  std::vector<std::string> driverNames;
  ModelNamesIn(file, driverNames, true, {});
  CheckNames(file, driverNames);

  std::vector<std::string> modelKeys;
  ModelNamesIn(file, modelKeys, false, "Printer");
  for (const std::string& key : modelKeys) {
    if (text::Trim(key) != key) std::abort();
  }

  std::vector<std::string> lines;
  SectionLinesIn(file, "Manufacturer", lines);
  for (const std::string& line : lines) {
    if (line.empty() || line.front() == '[') std::abort();
  }
  std::string value;
  IniKeyIn(file, "Printer", "PSName", value);
  return 0;
}
