#include "components/log_lists.h"

#include "platform/text.h"

void SplitList(std::string_view text, std::vector<std::string>& list) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return;
    if (end > start) list.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::vector<std::string> SplitEntryFields(std::string_view entry) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (const char c : entry) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back(text::Trim(field));
      field.clear();
    } else {
      field += c;
    }
  }
  fields.emplace_back(text::Trim(field));
  return fields;
}

namespace {
plat::HKey RootOf(std::string_view name) {
  if (text::IEquals(name, "HKCR")) return plat::kHkeyClassesRoot;
  if (text::IEquals(name, "HKCU")) return plat::kHkeyCurrentUser;
  if (text::IEquals(name, "HKLM")) return plat::kHkeyLocalMachine;
  if (text::IEquals(name, "HKU")) return plat::kHkeyUsers;
  return plat::kNoHandle;
}
}  // namespace

std::optional<LoggedRegistryEntry> ParseRegistryEntry(std::string_view entry) {
  const std::vector<std::string> fields = SplitEntryFields(entry);
  if (fields.size() < 2) return std::nullopt;
  LoggedRegistryEntry parsed;
  parsed.root = RootOf(fields[0]);
  if (parsed.root == plat::kNoHandle) return std::nullopt;
  parsed.keyPath = fields[1];
  if (parsed.keyPath.empty()) return std::nullopt;
  if (fields.size() > 2) parsed.valueName = fields[2];
  return parsed;
}
