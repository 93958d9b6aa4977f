#include "journal.h"

#include "platform/text.h"

namespace sim {

std::string ValidUtf8(std::string_view s) { return text::Utf16ToUtf8(text::Utf8ToUtf16(s)); }

namespace {
void Repair(nlohmann::json& j) {
  if (j.is_string()) {
    j = ValidUtf8(j.get_ref<const std::string&>());
  } else if (j.is_array()) {
    for (auto& item : j) Repair(item);
  } else if (j.is_object()) {
    for (auto& [key, item] : j.items()) Repair(item);
  }
}
}  // namespace

void AppendJournal(nlohmann::json& journal, nlohmann::json entry, std::uint64_t virtualMs) {
  Repair(entry);
  if (!entry.is_object()) entry = nlohmann::json{{"event", "note"}, {"value", std::move(entry)}};
  if (!entry.contains("t")) entry["t"] = virtualMs;
  journal.push_back(std::move(entry));
}

}  // namespace sim
