// How far two pictures of the same page differ, in a way that forgives what
// two correct renderers may do differently (antialiased edges, a pixel's
// shift, another font of the same size) and catches what they must not
// (a missing shape, another colour, a shape in another place).
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "simrender/page_set.h"

namespace sim::print {

struct PictureDifference {
  double share = 0;  // of the pixels that differ, 0 to 1
  Picture map;       // differing pixels black on white
};

// Each picture is blurred over 3 x 3 pixels; a pixel differs when one of its
// channels then differs by more than `threshold` (of 255). A hard edge moved
// by one pixel changes the blurred channels by a third of its contrast (85 of
// 255 at most), which the default threshold lets through. Nothing when the
// sizes differ.
std::optional<PictureDifference> ComparePictures(const Picture& a, const Picture& b, int threshold = 96);

// An uncompressed 24- or 32-bit BMP file, as Windows programs save a device
// context's bitmap; nothing for any other file.
std::optional<Picture> ReadBmp(const std::string& path);

}  // namespace sim::print
