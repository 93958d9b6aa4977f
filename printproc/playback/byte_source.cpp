#include "playback/byte_source.h"

#include <algorithm>

namespace vemf {

plat::print::Result<std::size_t> KeepingSource::Read(std::span<std::uint8_t> into) {
  auto r = inner_.Read(into);
  if (r.ok()) {
    const std::size_t n = std::min(*r, into.size());
    kept_.insert(kept_.end(), into.begin(), into.begin() + static_cast<std::ptrdiff_t>(n));
  }
  return r;
}

std::span<const std::uint8_t> KeepingSource::kept() const { return kept_; }

}  // namespace vemf
