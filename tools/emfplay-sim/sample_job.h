// The sample job of emfplay-sim: a short "VEMF" stream of two pages that
// uses pens, brushes, a font, text, a bitmap and a path.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

// Mode 1 is drawn by the processor, mode 0 goes to the job-finishing library.
std::vector<std::uint8_t> SampleJob(std::string_view device, std::uint32_t mode = 1);
