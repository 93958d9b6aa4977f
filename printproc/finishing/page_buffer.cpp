#include "finishing/page_buffer.h"

#include <algorithm>

#include "finishing/run_state.h"
#include "playback/byte_source.h"
#include "playback/record_reader.h"
#include "playback/vemf_format.h"

namespace finishing {

namespace {
constexpr std::string_view kTempPrefix = "VEM";
}  // namespace

bool PageBuffer::Open() {
  if (writer_) return true;
  auto path = files_.MakeTempFile(kTempPrefix);
  if (!path.ok()) return false;
  auto file = files_.CreateForWriting(*path);
  if (!file.ok()) {
    static_cast<void>(files_.Delete(*path));  // the name alone is left behind otherwise
    return false;
  }
  path_ = *path;
  writer_ = *file;
  flags_ |= kPageBufferOpen;
  return true;
}

bool PageBuffer::Append(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    auto put = files_.Write(writer_, bytes);
    if (!put.ok() || *put == 0) return false;
    bytes = bytes.subspan(std::min(*put, bytes.size()));
  }
  return true;
}

void PageBuffer::CloseWriter() {
  if (writer_) files_.Close(writer_);
  writer_ = 0;
}

void PageBuffer::Take(const vemf::RecordView& record) {
  if (!Open()) {
    translator_.Record(record.bytes());
    return;
  }
  if (!Append(record.bytes())) {
    // What the file holds is whole records up to this one; play them, then
    // this one as it is.
    Play();
    translator_.Record(record.bytes());
    return;
  }
  if (record.type() == vemf::rec::Summary) summary_.Take(record);
  if (record.type() == vemf::rec::Summary || record.type() == vemf::rec::EndOfDocument) Play();
}

void PageBuffer::Flush() {
  if (writer_) Play();
}

void PageBuffer::Drop() {
  if (!writer_ && path_.empty()) return;
  CloseWriter();
  static_cast<void>(files_.Delete(path_));  // a temporary file; nothing more can be done
  path_.clear();
  flags_ &= ~kPageBufferOpen;
}

void PageBuffer::Play() {
  CloseWriter();
  if (auto file = files_.OpenForReading(path_); file.ok()) {
    plat::print::UniqueByteFile reading(files_, *file);
    vemf::FileSource source(files_, *file);
    vemf::RecordReader reader;
    while (reader.Next(source)) {
      if (!control_.Proceed()) break;
      const vemf::RecordView view = reader.record();
      if (view.type() == vemf::rec::StartPage) {
        page_.assign(view.bytes().begin(), view.bytes().end());
        summary_.Patch(page_);
        translator_.Record(page_);
      } else {
        translator_.Record(view.bytes());
      }
    }
  }
  Drop();
}

}  // namespace finishing
