// Holds a job's records in a temporary file until the summary record that
// follows its pages (115) or the end record arrives, so that the page starts
// can be given the summary's values before the library sees them. Each
// summary closes a section: the section is played and its file deleted, and
// the next record begins a new one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "finishing/summary_values.h"
#include "finishing/translator.h"
#include "platform/print/byte_files.h"
#include "playback/job_control.h"
#include "playback/record_view.h"

namespace finishing {

class PageBuffer {
 public:
  // `flags` is the handle's finisher field (its page-buffer bit).
  PageBuffer(plat::print::ByteFiles& files, Translator& translator, vemf::JobControl& control, std::uint32_t& flags)
      : files_(files), translator_(translator), control_(control), flags_(flags) {}
  ~PageBuffer() { Drop(); }
  PageBuffer(const PageBuffer&) = delete;
  PageBuffer& operator=(const PageBuffer&) = delete;

  // Buffers one record; after a summary or the end the section plays.
  // Without a buffer file (none can be made or written) records are
  // translated as they come, unpatched.
  void Take(const vemf::RecordView& record);
  // Plays the section buffered so far: the job's data ended without an end
  // record.
  void Flush();
  // Deletes the section unplayed: the job was cancelled.
  void Drop();

  const SummaryValues& summary() const { return summary_; }

 private:
  bool Open();
  bool Append(std::span<const std::uint8_t> bytes);
  void CloseWriter();
  void Play();

  plat::print::ByteFiles& files_;
  Translator& translator_;
  vemf::JobControl& control_;
  std::uint32_t& flags_;
  SummaryValues summary_;
  std::string path_;
  plat::Handle writer_ = 0;
  std::vector<std::uint8_t> page_;  // a page start being patched
};

}  // namespace finishing
