// The sample job of emfplay-sim: a short "VEMF" stream of two pages that
// uses pens, brushes, a font, text, a bitmap and a path.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

std::vector<std::uint8_t> SampleJob(std::string_view device);
