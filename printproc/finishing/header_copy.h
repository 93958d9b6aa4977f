// The stream header as the job-finishing library is given it: a copy with
// the processor's three callbacks added to its list of entries and the
// callbacks' context in it.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/print/maker_libraries.h"

namespace finishing {

// The header's list of 12-byte entries (number, size, address) starts at the
// offset in its field 60 and ends with an entry numbered 0. The copy is 36
// bytes longer: entries 50, 51 and 52 take the closing entry's place, a
// closing entry follows them, the size fields at 4 and 56 grow by 36 and the
// context goes to field 20. Nothing when the header is too short for its
// fields or its list does not end inside it.
std::optional<std::vector<std::uint8_t>> CopyHeaderWithCallbacks(std::span<const std::uint8_t> header,
                                                                 const plat::print::FinishingHooks& hooks);

}  // namespace finishing
