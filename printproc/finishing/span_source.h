// Records held in memory, read like a spooled job: the document-output
// library may hand a block of them to be played.
#pragma once
#include <algorithm>
#include <cstring>
#include <span>

#include "playback/byte_source.h"

namespace finishing {

class SpanSource final : public vemf::ByteSource {
 public:
  explicit SpanSource(std::span<const std::uint8_t> bytes) : rest_(bytes) {}
  plat::print::Result<std::size_t> Read(std::span<std::uint8_t> into) override {
    const std::size_t n = std::min(into.size(), rest_.size());
    if (n) std::memcpy(into.data(), rest_.data(), n);
    rest_ = rest_.subspan(n);
    return n;
  }

 private:
  std::span<const std::uint8_t> rest_;
};

}  // namespace finishing
