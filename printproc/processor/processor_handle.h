// The state of one open of the processor: the printer it serves, the job's
// datatype and output file, and the pause and cancel state that the spooler's
// controlling thread changes while the job thread plays. Those two are the
// only state the threads share: the bits are one atomic word, and the pause
// event lets the job thread sleep until a resume or a cancel.
#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/print/events.h"
#include "platform/print/job_channel.h"
#include "playback/job_control.h"
#include "processor/datatypes.h"

namespace emfplay {

class ProcessorHandle final : public vemf::JobControl {
 public:
  static constexpr std::uint32_t kSignature = 0x5051;

  ProcessorHandle(plat::print::Events& events, plat::Handle pauseEvent, plat::Handle printer, std::string printerName)
      : printer(printer), printerName(std::move(printerName)), events_(events), pauseEvent_(pauseEvent) {
    ShareState(&flags_);
  }

  bool valid() const { return signature_ == kSignature; }
  void Invalidate() { signature_ = 0; }

  // Control commands. Pause closes the gate before it raises the bit; resume
  // lowers the bit before it opens the gate; cancel releases a paused job so
  // that it sees the bit.
  void Pause();
  void Resume();
  void Cancel();

  void WaitWhilePaused() override;
  bool Cancelled() const override { return (flags_.load() & kCancelled) != 0; }
  bool Paused() const { return (flags_.load() & kPaused) != 0; }

  plat::Handle pauseEvent() const { return pauseEvent_; }

  // Owned by the processor; the job thread alone uses these.
  plat::Handle printer;
  std::string printerName;
  Datatype datatype = Datatype::Other;
  plat::Handle outputFile = 0;
  // The job's write channel on `printer`, started for the job-finishing
  // playback. A job without one (direct playback draws through a device
  // context of its own) has a separator page of printer data written
  // through a channel started with `pageChannel` for the page alone.
  bool writeChannelOpen = false;
  plat::print::DocInfo2 pageChannel;
  // The job-finishing run (finishing/run_state.h): its state bits, the word
  // the library keeps its own state in, and the value the document-output
  // library asked to have kept.
  std::uint32_t finisherFlags = 0;
  std::uint32_t finisherContext = 0;
  std::uint32_t documentOutputValue = 0;

 private:
  plat::print::Events& events_;
  plat::Handle pauseEvent_;
  std::uint32_t signature_ = kSignature;
  std::atomic<std::uint32_t> flags_{0};
};

}  // namespace emfplay
