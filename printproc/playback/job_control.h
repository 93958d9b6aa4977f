// The pause and cancel state of a job as every playback loop sees it. The
// loops ask before each unit of work: wait while the job is paused, stop when
// it is cancelled. Another thread sets the state.
#pragma once
#include <atomic>
#include <cstdint>

namespace vemf {

class JobControl {
 public:
  static constexpr std::uint32_t kCancelled = 0x1;
  static constexpr std::uint32_t kPaused = 0x2;

  virtual ~JobControl() = default;
  // Returns when the job is not (or no longer) paused.
  virtual void WaitWhilePaused() = 0;
  virtual bool Cancelled() const = 0;
  // Both, as the loops ask before each unit of work: waits while the job is
  // paused, then false when it is cancelled. A control that keeps its state
  // in one word answers the common case, neither paused nor cancelled, with
  // one load and no call: it is asked for every one of the hundreds of
  // thousands of records of a job.
  [[nodiscard]] bool Proceed() {
    if (state_ && (state_->load() & (kCancelled | kPaused)) == 0) return true;
    WaitWhilePaused();
    return !Cancelled();
  }

 protected:
  // For a control whose pause and cancel bits are `state`, which must live
  // as long as the control.
  void ShareState(const std::atomic<std::uint32_t>* state) { state_ = state; }

 private:
  const std::atomic<std::uint32_t>* state_ = nullptr;
};

}  // namespace vemf
