// The datatypes the processor accepts, in the order the spooler is told them;
// a job's datatype is known by its index in this list from then on.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/print/print_result.h"

namespace emfplay {

enum class Datatype : std::uint32_t { Raw = 0, Emf = 1, Vemf = 2, Other = 3 };

inline constexpr std::array<std::string_view, 3> kDatatypeNames = {"RAW", "EMF", "VEMF"};

// Datatype names compare without case, as the spooler's do.
Datatype DatatypeOf(std::string_view name);

struct DatatypeListing {
  std::uint32_t needed = 0;
  std::uint32_t returned = 0;
};

// Fills `buffer` as an array of DATATYPES_INFO_1 for a 32-bit caller: the
// name pointers at the start, in list order, the names themselves copied
// backwards from the end (the first name ends at the buffer's last byte).
// `bufferAddress` is where the buffer lies in the caller's address space.
// `listing` says the space needed and, on success, how many were listed;
// a buffer too small fails with ERROR_INSUFFICIENT_BUFFER.
plat::print::Status EnumerateDatatypes(std::span<std::uint8_t> buffer, std::uint32_t bufferAddress,
                                       DatatypeListing* listing);

}  // namespace emfplay
