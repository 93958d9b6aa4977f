// Device-independent bitmaps as cairo images, for blits and pattern brushes.
#pragma once
#include <cstdint>

#include "platform/print/gdi_types.h"

typedef struct _cairo_surface cairo_surface_t;

namespace sim::print {

// An opaque image, top row first; null for what is not drawn (compressed
// bits, bit counts other than 1, 4, 8, 16, 24 and 32) or bytes that do not
// hold what the header describes. With palette indices (usage 1) there are
// no colours to look up: the index becomes a grey.
cairo_surface_t* DibToSurface(const plat::print::Dib& dib, std::uint32_t usage);

}  // namespace sim::print
