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
  // What is left goes to the front, ending on a cache line, and the reads
  // fill behind it: copies into an aligned place are the fast ones.
  const std::uint32_t front = (kLine - available_ % kLine) % kLine;
  std::memmove(staging_.data() + front, staging_.data() + position_, available_);
  position_ = front;
  while (available_ < wanted) {
    // The rest of the source's block: less than a block is left and wanted
    // is at most one, so it always fits behind what is left.
    const std::size_t room = kBlockSize - static_cast<std::size_t>(taken_ % kBlockSize);
    auto got = source.Read(std::span(staging_).subspan(front + available_, room));
    if (!got.ok() || *got == 0) return false;
    const std::size_t n = std::min(*got, room);
    available_ += static_cast<std::uint32_t>(n);
    taken_ += n;
  }
  return true;
}

bool RecordReader::NextFromSource(ByteSource& source) {
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

  // A record that lies whole in what is read ahead, or fits a block, is
  // played where it lies, read ahead first if it straddles the block's end:
  // copying it into the record buffer would only cost time.
  if (size <= available_ || size <= kBlockSize) {
    if (available_ < size && !ReadAhead(source, size)) return Fail();
    current_ = staging_.data() + position_;
    position_ += size;
    available_ -= size;
    size_ = size;
    return true;
  }

  // A larger one is read straight into the record buffer, after what of it
  // is read ahead.
  current_ = record_.get();
  const std::uint32_t fromStaging = std::min(available_, size);  // less than size, as above
  std::memcpy(record_.get(), staging_.data() + position_, fromStaging);
  position_ += fromStaging;
  available_ -= fromStaging;

  std::uint32_t filled = fromStaging;
  while (filled < size) {
    // At most the rest of the source's block, as the read-ahead asks.
    const std::uint32_t rest = kBlockSize - static_cast<std::uint32_t>(taken_ % kBlockSize);
    const std::uint32_t missing = size - filled;
    if (missing < rest) {
      // The record ends inside this block: the whole rest of it is read
      // ahead, as for any record, and the record's part taken from there. A
      // read for the record's part alone would leave the rest of the block
      // to a read of its own.
      if (!ReadAhead(source, missing)) return Fail();
      std::memcpy(record_.get() + filled, staging_.data() + position_, missing);
      position_ += missing;
      available_ -= missing;
      break;
    }
    auto got = source.Read(std::span(record_.get() + filled, rest));
    if (!got.ok() || *got == 0) return Fail();
    const std::size_t n = std::min<std::size_t>(*got, rest);
    filled += static_cast<std::uint32_t>(n);
    taken_ += n;
  }
  size_ = size;
  return true;
}

}  // namespace vemf
