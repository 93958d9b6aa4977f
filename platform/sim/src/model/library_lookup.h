// Which libraries of the machine a run-time load would find, and what they
// export; the spooler's extended driver deletion and the archive lister ask
// this before they act.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "machine_data.h"

namespace sim {

// The library LoadLibrary would load by `nameOrPath`, or nothing when it
// would fail. "WINSPOOL.DRV" is always there unless the image lists its own.
std::optional<LibraryEntry> FindLibrary(const MachineData& d, std::string_view nameOrPath);

// GetProcAddress compares export names with case.
bool Exports(const LibraryEntry& library, std::string_view procedure);

}  // namespace sim
