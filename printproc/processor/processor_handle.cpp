#include "processor/processor_handle.h"

namespace emfplay {

void ProcessorHandle::Pause() {
  // A failed reset only means the job does not wait: it goes on playing.
  static_cast<void>(events_.Reset(pauseEvent_));
  flags_.fetch_or(kPaused);
}

void ProcessorHandle::Resume() {
  if (!Paused()) return;
  flags_.fetch_and(~kPaused);
  static_cast<void>(events_.Set(pauseEvent_));  // the waiter also sees the bit gone at its next check
}

void ProcessorHandle::Cancel() {
  flags_.fetch_or(kCancelled);
  Resume();
}

void ProcessorHandle::WaitWhilePaused() {
  while (Paused()) {
    // An event that cannot be waited on would turn this loop into a spin:
    // play on instead.
    if (!events_.Wait(pauseEvent_).ok()) return;
  }
}

}  // namespace emfplay
