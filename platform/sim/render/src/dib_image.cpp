#include "dib_image.h"

#include <cairo.h>

#include <cstring>
#include <vector>

namespace sim::print {

namespace {

std::uint32_t U32(const std::uint8_t* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// How far a mask's lowest bit lies, and how many bits it has.
void MaskShape(std::uint32_t mask, int* shift, int* bits) {
  *shift = 0;
  *bits = 0;
  if (!mask) return;
  while (!(mask & 1u)) {
    mask >>= 1;
    ++*shift;
  }
  while (mask & 1u) {
    mask >>= 1;
    ++*bits;
  }
}

std::uint32_t Channel(std::uint32_t value, std::uint32_t mask) {
  int shift, bits;
  MaskShape(mask, &shift, &bits);
  if (!bits) return 0;
  const std::uint32_t v = (value & mask) >> shift;
  const std::uint32_t max = bits >= 32 ? 0xffffffffu : (1u << bits) - 1;
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(v) * 255 + max / 2) / max);
}

}  // namespace

cairo_surface_t* DibToSurface(const plat::print::Dib& dib, std::uint32_t usage) {
  const auto& info = dib.info;
  if (info.size() < 12) return nullptr;
  const std::uint32_t headerSize = U32(info.data());
  std::int64_t width, height;
  std::uint32_t bitCount, compression = 0, clrUsed = 0;
  std::size_t entrySize = 4;
  if (headerSize == 12) {
    width = U16(info.data() + 4);
    height = static_cast<std::int16_t>(U16(info.data() + 6));
    bitCount = U16(info.data() + 10);
    entrySize = 3;
  } else {
    if (headerSize < 40 || info.size() < 40) return nullptr;
    width = static_cast<std::int32_t>(U32(info.data() + 4));
    height = static_cast<std::int32_t>(U32(info.data() + 8));
    bitCount = U16(info.data() + 14);
    compression = U32(info.data() + 16);
    clrUsed = U32(info.data() + 32);
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > 32768 || height > 32768) return nullptr;
  if (compression != 0 && compression != 3) return nullptr;

  std::uint32_t masks[3] = {0x00ff0000u, 0x0000ff00u, 0x000000ffu};
  if (bitCount == 16) masks[0] = 0x7c00u, masks[1] = 0x03e0u, masks[2] = 0x001fu;
  std::size_t tableAt = headerSize;
  if (compression == 3) {
    if (bitCount != 16 && bitCount != 32) return nullptr;
    // The masks follow an info header; later headers hold them inside.
    if (info.size() < 52) return nullptr;
    for (int i = 0; i < 3; ++i) masks[i] = U32(info.data() + 40 + 4 * i);
    if (headerSize == 40) tableAt += 12;
  }
  std::vector<std::uint32_t> palette;
  if (bitCount <= 8) {
    std::size_t entries = clrUsed ? clrUsed : (std::size_t{1} << bitCount);
    if (entries > 256) entries = 256;
    for (std::size_t i = 0; i < entries; ++i) {
      if (usage == 1) {
        const std::uint32_t g = static_cast<std::uint32_t>(i * 255 / (entries > 1 ? entries - 1 : 1));
        palette.push_back((g << 16) | (g << 8) | g);
        continue;
      }
      const std::size_t at = tableAt + i * entrySize;
      if (at + 3 > info.size()) return nullptr;
      palette.push_back((static_cast<std::uint32_t>(info[at + 2]) << 16) |
                        (static_cast<std::uint32_t>(info[at + 1]) << 8) | info[at]);
    }
  } else if (bitCount != 16 && bitCount != 24 && bitCount != 32) {
    return nullptr;
  }

  const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
  if (dib.bits.size() < rowBytes * static_cast<std::size_t>(height)) return nullptr;

  cairo_surface_t* image =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height));
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(image);
    return nullptr;
  }
  cairo_surface_flush(image);
  unsigned char* out = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (std::int64_t row = 0; row < height; ++row) {
    const std::uint8_t* src = dib.bits.data() + static_cast<std::size_t>(topDown ? row : height - 1 - row) * rowBytes;
    auto* dst = reinterpret_cast<std::uint32_t*>(out + row * stride);
    for (std::int64_t x = 0; x < width; ++x) {
      std::uint32_t rgb = 0;
      const auto ux = static_cast<std::size_t>(x);
      switch (bitCount) {
        case 1:
        case 4:
        case 8: {
          const std::size_t bit = ux * bitCount;
          const std::uint32_t index =
              (src[bit / 8] >> (8 - bitCount - bit % 8)) & ((1u << bitCount) - 1);
          rgb = index < palette.size() ? palette[index] : 0;
          break;
        }
        case 16:
        case 32: {
          const std::uint32_t v = bitCount == 16 ? U16(src + ux * 2) : U32(src + ux * 4);
          rgb = (Channel(v, masks[0]) << 16) | (Channel(v, masks[1]) << 8) | Channel(v, masks[2]);
          break;
        }
        default:
          rgb = (static_cast<std::uint32_t>(src[ux * 3 + 2]) << 16) |
                (static_cast<std::uint32_t>(src[ux * 3 + 1]) << 8) | src[ux * 3];
      }
      dst[x] = 0xff000000u | rgb;
    }
  }
  cairo_surface_mark_dirty(image);
  return image;
}

}  // namespace sim::print
