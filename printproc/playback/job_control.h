// The pause and cancel state of a job as every playback loop sees it. The
// loops ask before each unit of work: wait while the job is paused, stop when
// it is cancelled. Another thread sets the state.
#pragma once

namespace vemf {

class JobControl {
 public:
  virtual ~JobControl() = default;
  // Returns when the job is not (or no longer) paused.
  virtual void WaitWhilePaused() = 0;
  virtual bool Cancelled() const = 0;
  // Both, as the loops ask before each unit of work: waits while the job is
  // paused, then false when it is cancelled. One call where the loops would
  // make two, for each of the hundreds of thousands of records of a job.
  [[nodiscard]] virtual bool Proceed() {
    WaitWhilePaused();
    return !Cancelled();
  }
};

}  // namespace vemf
