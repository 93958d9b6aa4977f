// Bytes held in memory, read like a spooled job: records the document-output
// library hands back to be played, and streams that tests and tools play.
#pragma once
#include <algorithm>
#include <cstring>
#include <span>

#include "playback/byte_source.h"

namespace vemf {

class SpanSource final : public ByteSource {
 public:
  // The bytes must outlive the source.
  explicit SpanSource(std::span<const std::uint8_t> bytes) : rest_(bytes) {}
  plat::print::Result<std::size_t> Read(std::span<std::uint8_t> into) override {
    const std::size_t n = std::min(into.size(), rest_.size());
    if (n) std::memcpy(into.data(), rest_.data(), n);
    rest_ = rest_.subspan(n);
    return n;
  }
  std::size_t remaining() const { return rest_.size(); }

 private:
  std::span<const std::uint8_t> rest_;
};

}  // namespace vemf
