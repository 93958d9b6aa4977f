// A byte source over memory that hands out at most a chosen number of bytes
// a read (a repeating pattern) and remembers how much each read asked for.
#pragma once
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win_errors.h"
#include "playback/byte_source.h"

class MemorySource final : public vemf::ByteSource {
 public:
  explicit MemorySource(std::vector<std::uint8_t> data, std::vector<std::size_t> pattern = {})
      : data_(std::move(data)), pattern_(std::move(pattern)) {}

  plat::print::Result<std::size_t> Read(std::span<std::uint8_t> into) override {
    asked.push_back(into.size());
    if (failAt_ && at_ >= *failAt_) return plat::print::Error(winerr::NotReady);
    std::size_t n = std::min(into.size(), data_.size() - at_);
    if (!pattern_.empty() && pattern_[reads_++ % pattern_.size()] != 0)
      n = std::min(n, pattern_[(reads_ - 1) % pattern_.size()]);
    if (failAt_) n = std::min(n, *failAt_ - at_);
    if (n) std::memcpy(into.data(), data_.data() + at_, n);
    at_ += n;
    return n;
  }
  // Reads fail once this many bytes have been handed out.
  void FailFrom(std::size_t offset) { failAt_ = offset; }
  std::size_t consumed() const { return at_; }

  std::vector<std::size_t> asked;

 private:
  std::vector<std::uint8_t> data_;
  std::vector<std::size_t> pattern_;
  std::size_t at_ = 0;
  std::size_t reads_ = 0;
  std::optional<std::size_t> failAt_;
};
