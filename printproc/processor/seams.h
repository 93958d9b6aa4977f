// The two parts of a job that other code plays: the separator page before
// the job's own pages (separator/separator_printer.h), and the job-finishing
// playback of a "VEMF" stream in mode 0 (finishing/finishing_playback.h).
// The processor reaches them through these interfaces, so that its own
// scenarios can record what it asks of them, and the separator page, which
// plays a driver's stream of ours, can hand it to the same finisher.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/print/job_channel.h"
#include "playback/record_reader.h"
#include "processor/destination.h"
#include "processor/processor_handle.h"

namespace emfplay {

class SeparatorPages {
 public:
  virtual ~SeparatorPages() = default;
  // A page printed as a job of its own before a "RAW" or "EMF" job; 1 on
  // success, 0 when no page was printed.
  virtual int PrintSeparatorJob(plat::Handle printer, std::uint32_t jobId, std::string_view destination,
                                SeparatorKind kind, std::string_view separatorFile) = 0;
  // A page put into a "VEMF" job's own output before its records, through
  // the job's write channel (or one opened for the page, see
  // ProcessorHandle::writeChannelOpen); 1 when the page was produced.
  virtual int PrintSeparatorInJob(ProcessorHandle& handle, plat::Handle printer, std::uint32_t jobId,
                                  std::string_view destination, SeparatorKind kind,
                                  std::string_view separatorFile) = 0;
};

// What the job-finishing playback is handed. It may close the read channel
// and open another in its place; the caller ends and closes whatever is left.
struct FinishingJob {
  std::string_view document;
  plat::print::UniqueJobPrinter* readChannel = nullptr;  // null when playing from a file
  plat::Handle file = 0;
  std::string_view destination;
  std::string_view device;
  std::span<const std::uint8_t> header;  // the stream header record
  vemf::RecordReader* reader = nullptr;
  std::uint32_t jobId = 0;
};

class JobFinisher {
 public:
  virtual ~JobFinisher() = default;
  // 1 when the job was played, 0 otherwise.
  virtual int PlayFinished(ProcessorHandle& handle, FinishingJob& job) = 0;
};

}  // namespace emfplay
