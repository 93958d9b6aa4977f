// The two parts of a job that other code plays: the separator page before
// the job's own pages, and the job-finishing playback of a "VEMF" stream in
// mode 0. The processor reaches them through these interfaces; until they
// are built, the stand-ins below print no separator page and finish no job,
// each with a trace line that says so.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/print/job_channel.h"
#include "platform/print/print_host.h"
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
  // A page put into a "VEMF" job's own output before its records; 1 when the
  // page was produced.
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

class NoSeparatorPages final : public SeparatorPages {
 public:
  explicit NoSeparatorPages(plat::print::PrintHost& host) : host_(host) {}
  int PrintSeparatorJob(plat::Handle, std::uint32_t, std::string_view, SeparatorKind, std::string_view) override {
    host_.DebugTrace("Separator pages are not available; the job prints without one.\n");
    return 0;
  }
  int PrintSeparatorInJob(ProcessorHandle&, plat::Handle, std::uint32_t, std::string_view, SeparatorKind,
                          std::string_view) override {
    host_.DebugTrace("Separator pages are not available; the job prints without one.\n");
    return 0;
  }

 private:
  plat::print::PrintHost& host_;
};

class NoJobFinisher final : public JobFinisher {
 public:
  explicit NoJobFinisher(plat::print::PrintHost& host) : host_(host) {}
  int PlayFinished(ProcessorHandle&, FinishingJob&) override {
    host_.DebugTrace("Job-finishing playback is not available; the job is not printed.\n");
    return 0;
  }

 private:
  plat::print::PrintHost& host_;
};

}  // namespace emfplay
