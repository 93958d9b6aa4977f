// A human reading of the journal entries that a run added.
#pragma once
#include <cstddef>
#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

// One line (or a few, for multi-line message texts) per event.
std::string DescribeEvent(const nlohmann::json& event);
// Every entry of `journal` from index `first` on.
void PrintSummary(const nlohmann::json& journal, std::size_t first, std::ostream& out);
