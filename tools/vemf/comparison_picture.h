// One page drawn with the records the player plays most (filled and outlined
// shapes, thick lines, a bitmap, a pattern fill and a line of text), to be
// drawn by Windows and by the simulated renderer and the two pictures
// compared.
#pragma once
#include <cstdint>
#include <vector>

namespace vemf {

// The page's size in device units (one pixel each on both sides).
inline constexpr std::int32_t kComparisonWidth = 400;
inline constexpr std::int32_t kComparisonHeight = 300;

// The records from the device record to the end record, without the
// signature and the stream header: what PlayDirect reads.
std::vector<std::uint8_t> ComparisonPicture();

}  // namespace vemf
