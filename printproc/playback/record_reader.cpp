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

bool RecordReader::ReadAhead(ByteSource& source, std::uint32_t wanted) {
  // What is left of the block goes to its front, ending on a cache line, and
  // the reads fill the block behind it: copies into an aligned place are the
  // fast ones, and no read asks for more than a block.
  const std::uint32_t front = (kLine - available_ % kLine) % kLine;
  std::memmove(staging_.data() + front, staging_.data() + position_, available_);
  position_ = front;
  while (available_ < wanted) {
    const std::size_t room = kBlockSize - available_;
    auto got = source.Read(std::span(staging_).subspan(front + available_, room));
    if (!got.ok() || *got == 0) return false;
    available_ += static_cast<std::uint32_t>(std::min(*got, room));
  }
  return true;
}

bool RecordReader::Next(ByteSource& source) {
  if (available_ < kRecordHeaderSize && !ReadAhead(source, kRecordHeaderSize)) return Fail();

  std::uint32_t size;
  std::memcpy(&size, staging_.data() + position_ + 4, 4);
  if (size < kRecordHeaderSize || size > kMaxRecordSize) return Fail();

  if (!record_ || capacity_ < size) {
    Release();
    record_.reset(new (std::nothrow) std::uint8_t[size]());
    if (!record_) return Fail();
    capacity_ = size;
  }

  // A record that fits a block is played where it lies in the block, read
  // ahead first if it straddles the block's end: copying it into the record
  // buffer would only cost time.
  if (size <= kBlockSize) {
    if (available_ < size && !ReadAhead(source, size)) return Fail();
    current_ = staging_.data() + position_;
    position_ += size;
    available_ -= size;
    size_ = size;
    return true;
  }

  // A larger one is read straight into the record buffer.
  current_ = record_.get();
  const std::uint32_t fromStaging = available_;
  std::memcpy(record_.get(), staging_.data() + position_, fromStaging);
  position_ = 0;
  available_ = 0;

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
