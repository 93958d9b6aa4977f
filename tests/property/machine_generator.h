// Small machines with the maker's printers, drivers and files beside other
// makers' objects that share names, files, ports and registry parents. The
// same seed and switches always give the same machine.
#pragma once
#include <cstdint>

#include "hazards.h"
#include "machine_model.h"

namespace property {

World GenerateMachine(std::uint64_t seed, const HazardSet& hazards);

}  // namespace property
