// Cuts a "VEMF" stream into records. It reads ahead in blocks of 4096 bytes
// and keeps one record buffer that grows only when a larger record comes. A
// record of at most one block, or one that lies whole in what is read ahead,
// is handed out where it lies (one that straddles a block's end is moved to
// the front and the next block read behind it); a larger record is read
// straight into the record buffer a block at a time, but for its last part,
// which is taken from the read-ahead of the block it ends in. No record is
// copied or allocated for itself.
//
// A record whose size field is below 8 (it could not hold its own header) or
// above 64 MiB ends the stream as if the data had run out.
#pragma once
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

#include "playback/byte_source.h"
#include "playback/record_view.h"
#include "playback/vemf_format.h"

namespace vemf {

class RecordReader {
 public:
  // True when the next whole record is in the record buffer. False at the end
  // of the source, on a read error and on a damaged size; the record buffer
  // is then freed.
  [[nodiscard]] bool Next(ByteSource& source) {
    // Most records lie whole in what is read ahead: handed out here, without
    // a call, as the player asks for every record of the job.
    if (available_ >= kRecordHeaderSize && record_) {
      std::uint32_t size;
      std::memcpy(&size, staging_.data() + position_ + 4, 4);
      if (size >= kRecordHeaderSize && size <= available_ && size <= capacity_) {
        current_ = staging_.data() + position_;
        position_ += size;
        available_ -= size;
        size_ = size;
        return true;
      }
    }
    return NextFromSource(source);
  }
  // The record Next() brought; only after it answered true.
  RecordView record() const { return RecordView({current_, size_}); }
  // Frees the record buffer; what is read ahead stays.
  void Release();
  std::uint32_t capacity() const { return capacity_; }

 private:
  // Next() for a record that needs a read, a larger buffer or a check.
  bool NextFromSource(ByteSource& source);
  bool Fail();
  // Moves the unread bytes to the front and reads behind them until at least
  // `wanted` (at most a block) are there; false when the source ends first.
  bool ReadAhead(ByteSource& source, std::uint32_t wanted);

  std::unique_ptr<std::uint8_t[]> record_;
  const std::uint8_t* current_ = nullptr;  // the record: in staging_ or record_
  std::uint32_t capacity_ = 0;
  std::uint32_t size_ = 0;
  // What is left of the last block, and room behind it for a whole block:
  // every read asks for the rest of the source's current 4096-byte block, so
  // that a file or spool file is read along its own blocks, each read in one
  // piece, as a plain copy of the job would read it. On a cache line: a record
  // handed out from here has its 32-bit fields where the player may read them
  // in place when its size is a multiple of 4.
  static constexpr std::uint32_t kLine = 64;
  alignas(kLine) std::array<std::uint8_t, 2 * kBlockSize + kLine> staging_{};
  std::uint64_t taken_ = 0;      // bytes read from the source so far
  std::uint32_t position_ = 0;   // first byte not yet taken
  std::uint32_t available_ = 0;  // bytes read ahead and not yet taken
};

}  // namespace vemf
