// The order in which a whole file tree goes away: everything inside a
// directory before the directory itself, siblings in name order. Programs
// and the shell that delete a folder with its contents walk it this way.
#pragma once
#include <string>
#include <vector>

#include "machine_data.h"

namespace sim {

// `path` and every entry below it, deepest first; empty when `path` is no
// entry. A drive gives its contents only.
std::vector<std::string> TreeDeletionOrder(const MachineData& d, const std::string& path);

}  // namespace sim
