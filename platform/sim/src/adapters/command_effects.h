// What a program started on the simulated machine does to it: the changes
// the image's "commands" entry lists, made as the program would make them.
#pragma once
#include "model/program_data.h"

namespace sim {

class MachineState;

// Makes one effect. A program works around what it cannot do: a missing
// value, key or file is nothing to delete, a held file stays with the
// directories above it, and a key or service that is not there is left.
void ApplyCommandEffect(MachineState& m, const CommandEffect& effect);

}  // namespace sim
