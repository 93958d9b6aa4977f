// The separator page put before a job: printed as a job of its own before a
// "RAW" or "EMF" job, or, for a "VEMF" job, rendered by the printer's driver
// into a temporary file whose contents then go into the job's own output.
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/print/processor_platform.h"
#include "processor/seams.h"
#include "separator/separator_page.h"

namespace emfplay::separator {

class SeparatorPrinter final : public SeparatorPages {
 public:
  // The driver's rendering of a page in a "VEMF" stream of job-finishing
  // mode goes to `finisher`.
  SeparatorPrinter(plat::print::ProcessorPlatform& platform, const SeparatorAssets& assets, JobFinisher& finisher)
      : p_(platform), page_(platform, assets), finisher_(finisher) {}

  int PrintSeparatorJob(plat::Handle printer, std::uint32_t jobId, std::string_view destination, SeparatorKind kind,
                        std::string_view separatorFile) override;
  int PrintSeparatorInJob(ProcessorHandle& handle, plat::Handle printer, std::uint32_t jobId,
                          std::string_view destination, SeparatorKind kind, std::string_view separatorFile) override;

 private:
  // Puts what the driver rendered into the job; the file is open at its
  // start. False when the page did not get into the job.
  bool PutIntoJob(ProcessorHandle& handle, plat::Handle printer, const plat::print::JobRecord2& job,
                  std::string_view destination, plat::Handle file);
  // A stream for the job-finishing playback, through the job's write channel
  // or one opened for the page; what PlayFinished answers, 0 when the
  // page's channel fails.
  int PlayFinishedIntoJob(ProcessorHandle& handle, plat::Handle printer, FinishingJob& finishing);
  bool CopyIntoJob(ProcessorHandle& handle, plat::Handle printer, plat::Handle file);
  // The file's bytes into the write channel already started on `printer`.
  bool CopyInto(ProcessorHandle& handle, plat::Handle printer, plat::Handle file);

  plat::print::ProcessorPlatform& p_;
  SeparatorPage page_;
  JobFinisher& finisher_;
};

}  // namespace emfplay::separator
