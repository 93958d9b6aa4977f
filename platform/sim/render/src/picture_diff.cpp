#include "simrender/picture_diff.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace sim::print {

namespace {

// Channel sums over the 3 x 3 neighbourhood (edges repeat), times 9.
std::vector<std::array<int, 3>> Blurred(const Picture& p) {
  std::vector<std::array<int, 3>> out(p.pixels.size());
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      std::array<int, 3> sum{};
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int sx = std::clamp(x + dx, 0, p.width - 1), sy = std::clamp(y + dy, 0, p.height - 1);
          const std::uint32_t c = p.At(sx, sy);
          for (int ch = 0; ch < 3; ++ch) sum[ch] += static_cast<int>((c >> (16 - 8 * ch)) & 0xff);
        }
      out[static_cast<std::size_t>(y) * static_cast<std::size_t>(p.width) + static_cast<std::size_t>(x)] = sum;
    }
  return out;
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

}  // namespace

std::optional<PictureDifference> ComparePictures(const Picture& a, const Picture& b, int threshold) {
  if (a.width != b.width || a.height != b.height || a.pixels.empty()) return std::nullopt;
  const auto ba = Blurred(a), bb = Blurred(b);
  PictureDifference d;
  d.map.width = a.width;
  d.map.height = a.height;
  d.map.pixels.assign(a.pixels.size(), 0xffffffffu);
  std::size_t differing = 0;
  for (std::size_t i = 0; i < ba.size(); ++i) {
    bool differs = false;
    for (int ch = 0; ch < 3; ++ch) differs |= std::abs(ba[i][ch] - bb[i][ch]) > threshold * 9;
    if (differs) {
      ++differing;
      d.map.pixels[i] = 0xff000000u;
    }
  }
  d.share = static_cast<double>(differing) / static_cast<double>(ba.size());
  return d;
}

std::optional<Picture> ReadBmp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return std::nullopt;
  const std::uint32_t bitsAt = U32(b, 10);
  const auto width = static_cast<std::int32_t>(U32(b, 18));
  const auto height = static_cast<std::int32_t>(U32(b, 22));
  const std::uint16_t bitCount = static_cast<std::uint16_t>(b[28] | (b[29] << 8));
  const std::uint32_t compression = U32(b, 30);
  if (width <= 0 || height == 0 || width > 16384 || height > 16384 || height < -16384) return std::nullopt;
  if ((bitCount != 24 && bitCount != 32) || (compression != 0 && compression != 3)) return std::nullopt;
  const std::int32_t rows = height < 0 ? -height : height;
  const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
  if (bitsAt > b.size() || rowBytes * static_cast<std::size_t>(rows) > b.size() - bitsAt) return std::nullopt;
  Picture p;
  p.width = width;
  p.height = rows;
  p.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
  for (std::int32_t y = 0; y < rows; ++y) {
    const std::size_t row = static_cast<std::size_t>(height < 0 ? y : rows - 1 - y);
    const std::uint8_t* src = b.data() + bitsAt + row * rowBytes;
    for (std::int32_t x = 0; x < width; ++x) {
      const std::uint8_t* px = src + static_cast<std::size_t>(x) * (bitCount / 8);
      p.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
          0xff000000u | (static_cast<std::uint32_t>(px[2]) << 16) | (static_cast<std::uint32_t>(px[1]) << 8) | px[0];
    }
  }
  return p;
}

}  // namespace sim::print
