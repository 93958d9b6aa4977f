// The in-memory byte source with the habits of a real read channel: it hands
// out at most a chosen number of bytes a read (a repeating pattern), can fail
// from an offset on, and remembers how much each read asked for.
#pragma once
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/win_errors.h"
#include "playback/span_source.h"

class MemorySource final : public vemf::ByteSource {
 public:
  explicit MemorySource(std::vector<std::uint8_t> data, std::vector<std::size_t> pattern = {})
      : data_(std::move(data)), bytes_(data_), pattern_(std::move(pattern)) {}
  MemorySource(const MemorySource&) = delete;  // its reader points into its own bytes
  MemorySource& operator=(const MemorySource&) = delete;

  plat::print::Result<std::size_t> Read(std::span<std::uint8_t> into) override {
    asked.push_back(into.size());
    const std::size_t at = consumed();
    if (failAt_ && at >= *failAt_) return plat::print::Error(winerr::NotReady);
    std::size_t n = into.size();
    if (!pattern_.empty() && pattern_[reads_ % pattern_.size()] != 0) n = std::min(n, pattern_[reads_ % pattern_.size()]);
    ++reads_;
    if (failAt_) n = std::min(n, *failAt_ - at);
    return bytes_.Read(into.first(n));
  }
  // Reads fail once this many bytes have been handed out.
  void FailFrom(std::size_t offset) { failAt_ = offset; }
  std::size_t consumed() const { return data_.size() - bytes_.remaining(); }

  std::vector<std::size_t> asked;

 private:
  std::vector<std::uint8_t> data_;
  vemf::SpanSource bytes_;
  std::vector<std::size_t> pattern_;
  std::size_t reads_ = 0;
  std::optional<std::size_t> failAt_;
};
