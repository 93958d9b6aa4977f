#include "playback/record_reader.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace vemf {

void RecordReader::Release() {
  record_.reset();
  current_ = nullptr;
  capacity_ = 0;
  size_ = 0;
}

bool RecordReader::Fail() {
  Release();
  return false;
}

bool RecordReader::Next(ByteSource& source) {
  while (available_ < kRecordHeaderSize) {
    std::memmove(staging_.data(), staging_.data() + position_, available_);
    position_ = 0;
    auto got = source.Read(std::span(staging_).subspan(available_));
    if (!got.ok() || *got == 0) return Fail();
    available_ += static_cast<std::uint32_t>(std::min<std::size_t>(*got, kBlockSize - available_));
  }

  std::uint32_t size;
  std::memcpy(&size, staging_.data() + position_ + 4, 4);
  if (size < kRecordHeaderSize || size > kMaxRecordSize) return Fail();

  if (!record_ || capacity_ < size) {
    Release();
    record_.reset(new (std::nothrow) std::uint8_t[size]());
    if (!record_) return Fail();
    capacity_ = size;
  }

  // A record that lies whole in what was read ahead is played from there:
  // copying it into the record buffer would only cost time.
  if (available_ >= size) {
    current_ = staging_.data() + position_;
    position_ += size;
    available_ -= size;
    size_ = size;
    return true;
  }
  current_ = record_.get();

  const std::uint32_t fromStaging = std::min(available_, size);
  std::memcpy(record_.get(), staging_.data() + position_, fromStaging);
  position_ += fromStaging;
  available_ -= fromStaging;

  std::uint32_t filled = fromStaging;
  while (filled < size) {
    const std::uint32_t want = std::min<std::uint32_t>(size - filled, kBlockSize);
    auto got = source.Read(std::span(record_.get() + filled, want));
    if (!got.ok() || *got == 0) return Fail();
    filled += static_cast<std::uint32_t>(std::min<std::size_t>(*got, want));
  }
  size_ = size;
  return true;
}

}  // namespace vemf
