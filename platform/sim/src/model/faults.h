// Injected faults: a port call whose name and main argument match an entry
// fails with that entry's error, after "skip" passing calls, "count" times.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "machine_data.h"

namespace sim {

// Returns the index of the fault that fires for this call, consuming its
// skip or count; nullopt when the call proceeds.
std::optional<std::size_t> FireFault(std::vector<Fault>& faults, std::string_view call, std::string_view argument);

}  // namespace sim
