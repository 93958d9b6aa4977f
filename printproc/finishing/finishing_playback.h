// The job-finishing playback of a "VEMF" stream in mode 0: the records go to
// the maker's job-finishing library as commands, and its printer data comes
// back through three callbacks to the port or the job's output file. Before
// playing a spooled job itself the processor offers it to the maker's
// document-output library, which may print it by driving the playback
// through a table of callbacks.
#pragma once
#include <cstdint>
#include <string_view>

#include "finishing/translator.h"
#include "platform/print/maker_libraries.h"
#include "platform/print/processor_platform.h"
#include "processor/seams.h"

namespace emfplay {

class FinishingPlayback final : public JobFinisher {
 public:
  FinishingPlayback(plat::print::ProcessorPlatform& platform, plat::print::MakerLibraries& libraries)
      : p_(platform), libraries_(libraries) {}

  // 1 when the job was played. Also for a separator page in mode 0, then
  // with a file and no read channel.
  int PlayFinished(ProcessorHandle& handle, FinishingJob& job) override;

  // Non-zero when the document-output library printed the document; its
  // callbacks reach the library of the run through `translator`.
  int OfferToDocumentOutput(ProcessorHandle& handle, finishing::Translator& translator, std::string_view document,
                            std::uint32_t jobId);

 private:
  int Play(ProcessorHandle& handle, FinishingJob& job);

  plat::print::ProcessorPlatform& p_;
  plat::print::MakerLibraries& libraries_;
};

// What the job-finishing library's three callbacks do: page brackets on the
// processor's printer, and printer data to the output file or the port,
// waiting while the job is paused and taking nothing once it is cancelled.
class PrinterCallbacks final : public plat::print::FinishingCallbacks {
 public:
  PrinterCallbacks(plat::print::ProcessorPlatform& platform, ProcessorHandle& handle) : p_(platform), h_(handle) {}
  std::uint32_t StartPage() override;
  std::uint32_t EndPage() override;
  std::uint32_t Write(std::span<const std::uint8_t> bytes) override;

 private:
  plat::print::ProcessorPlatform& p_;
  ProcessorHandle& h_;
};

}  // namespace emfplay
