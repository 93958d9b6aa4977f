// Checks on the variable parts of records, made before anything is handed to
// GDI: a bitmap whose header, colour table or bits reach past the record, a
// region whose rectangles do, a device mode whose declared size does. Each
// answers the exact bytes to pass on, or nothing when they are not all there.
#pragma once
#include <cstdint>
#include <optional>
#include <span>

#include "platform/print/gdi_types.h"

namespace vemf {

inline constexpr std::uint32_t kDibRgbColors = 0;
inline constexpr std::uint32_t kDibPalColors = 1;

// BITMAPINFO at the start of `info` (which runs to the record's end), bits at
// the start of `bits` (likewise). `usage` says what a colour-table entry is.
std::optional<plat::print::Dib> CheckDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                                         std::uint32_t usage);
// A packed DIB: BITMAPINFO followed directly by its bits.
std::optional<plat::print::Dib> CheckPackedDib(std::span<const std::uint8_t> packed, std::uint32_t usage);
// RGNDATA of `declaredSize` bytes at the start of `data`: a 32-byte header
// whose rectangles fit the declared size, which fits `data`.
std::optional<std::span<const std::uint8_t>> CheckRegionData(std::span<const std::uint8_t> data,
                                                             std::uint64_t declaredSize);
// DEVMODEA at the start of `data`: its fixed part up to dmDriverExtra, and
// dmSize + dmDriverExtra bytes in all.
std::optional<std::span<const std::uint8_t>> CheckDevMode(std::span<const std::uint8_t> data);

}  // namespace vemf
