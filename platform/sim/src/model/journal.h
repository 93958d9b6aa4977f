// The journal: what a run did that is not machine state, one object per event.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace sim {

// Adds `entry` with "t" (virtual milliseconds) to the journal array. Text
// that is not valid UTF-8 is repaired first, so the journal always saves.
void AppendJournal(nlohmann::json& journal, nlohmann::json entry, std::uint64_t virtualMs);
// Invalid UTF-8 sequences become U+FFFD.
std::string ValidUtf8(std::string_view s);

}  // namespace sim
