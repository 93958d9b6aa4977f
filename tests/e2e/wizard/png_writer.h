// Writes 24-bit pictures as PNG files with no library: uncompressed deflate
// blocks, which every PNG reader takes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds height rows of width pixels, three bytes each, top row first.
bool WritePng(const std::wstring& path, int width, int height, const std::vector<std::uint8_t>& rgb);
