#include "playback/record_checks.h"

#include <algorithm>
#include <cstring>

namespace vemf {

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4, kBiPng = 5;
constexpr std::uint32_t kRgnDataHeaderSize = 32;
constexpr std::uint32_t kRdhRectangles = 1;
constexpr std::size_t kDevModeFixedPart = 40;  // through dmDriverExtra

std::uint32_t U32(std::span<const std::uint8_t> s, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, s.data() + at, 4);
  return v;
}
std::uint16_t U16(std::span<const std::uint8_t> s, std::size_t at) {
  std::uint16_t v;
  std::memcpy(&v, s.data() + at, 2);
  return v;
}

struct DibShape {
  std::uint64_t infoSize = 0;  // header and colour table
  std::uint64_t bitsSize = 0;
};

bool ValidBitCount(std::uint32_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

std::uint64_t RowBytes(std::uint64_t width, std::uint32_t bitCount) { return ((width * bitCount + 31) / 32) * 4; }

std::optional<DibShape> ShapeOf(std::span<const std::uint8_t> info, std::uint32_t usage) {
  if (info.size() < 4) return std::nullopt;
  const std::uint32_t headerSize = U32(info, 0);
  if (headerSize == kCoreHeaderSize) {
    if (info.size() < kCoreHeaderSize) return std::nullopt;
    const std::uint32_t width = U16(info, 4), height = U16(info, 6), bitCount = U16(info, 10);
    if (!ValidBitCount(bitCount) || bitCount > 24 || width == 0 || height == 0) return std::nullopt;
    const std::uint64_t colours = bitCount <= 8 ? (1u << bitCount) : 0;
    const std::uint64_t entry = usage == kDibPalColors ? 2 : usage == kDibRgbColors ? 3 : 0;
    return DibShape{kCoreHeaderSize + colours * entry, RowBytes(width, bitCount) * height};
  }
  if (headerSize < kInfoHeaderSize || headerSize > info.size()) return std::nullopt;
  const auto width = static_cast<std::int32_t>(U32(info, 4));
  const auto height = static_cast<std::int32_t>(U32(info, 8));
  const std::uint32_t bitCount = U16(info, 14);
  const std::uint32_t compression = U32(info, 16);
  const std::uint32_t sizeImage = U32(info, 20);
  const std::uint32_t clrUsed = U32(info, 32);
  if (width <= 0 || height == 0) return std::nullopt;

  std::uint64_t colours = clrUsed;
  if (colours == 0 && bitCount <= 8 && bitCount != 0) colours = 1ull << bitCount;
  const std::uint64_t entry = usage == kDibPalColors ? 2 : usage == kDibRgbColors ? 4 : 0;
  std::uint64_t infoSize = headerSize + colours * entry;
  if (compression == kBiBitfields && headerSize == kInfoHeaderSize) infoSize += 12;  // the three masks

  const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  std::uint64_t bitsSize = 0;
  switch (compression) {
    case kBiRgb:
    case kBiBitfields:
      if (!ValidBitCount(bitCount)) return std::nullopt;
      if (compression == kBiBitfields && bitCount != 16 && bitCount != 32) return std::nullopt;
      bitsSize = RowBytes(static_cast<std::uint64_t>(width), bitCount) * rows;
      break;
    case kBiRle8:
    case kBiRle4:
    case kBiJpeg:
    case kBiPng:
      // Compressed bits: their size is whatever the header says, and
      // nothing else bounds how far GDI reads.
      if (sizeImage == 0) return std::nullopt;
      bitsSize = sizeImage;
      break;
    default:
      return std::nullopt;
  }
  return DibShape{infoSize, bitsSize};
}

}  // namespace

std::optional<plat::print::Dib> CheckDib(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits,
                                         std::uint32_t usage) {
  const auto shape = ShapeOf(info, usage);
  if (!shape || shape->infoSize > info.size() || shape->bitsSize > bits.size()) return std::nullopt;
  return plat::print::Dib{info.first(static_cast<std::size_t>(shape->infoSize)),
                          bits.first(static_cast<std::size_t>(shape->bitsSize))};
}

std::optional<plat::print::Dib> CheckPackedDib(std::span<const std::uint8_t> packed, std::uint32_t usage) {
  const auto shape = ShapeOf(packed, usage);
  if (!shape || shape->infoSize > packed.size()) return std::nullopt;
  return CheckDib(packed, packed.subspan(static_cast<std::size_t>(shape->infoSize)), usage);
}

std::optional<std::span<const std::uint8_t>> CheckRegionData(std::span<const std::uint8_t> data,
                                                             std::uint64_t declaredSize) {
  if (declaredSize > data.size() || declaredSize < kRgnDataHeaderSize) return std::nullopt;
  const std::uint32_t headerSize = U32(data, 0), type = U32(data, 4), count = U32(data, 8);
  if (headerSize != kRgnDataHeaderSize || type != kRdhRectangles) return std::nullopt;
  if (kRgnDataHeaderSize + std::uint64_t{count} * 16 > declaredSize) return std::nullopt;
  return data.first(static_cast<std::size_t>(declaredSize));
}

std::optional<std::span<const std::uint8_t>> CheckDevMode(std::span<const std::uint8_t> data) {
  if (data.size() < kDevModeFixedPart) return std::nullopt;
  const std::uint64_t total = std::max<std::uint64_t>(U16(data, 36), kDevModeFixedPart) + U16(data, 38);
  if (total > data.size()) return std::nullopt;
  return data.first(static_cast<std::size_t>(total));
}

}  // namespace vemf
