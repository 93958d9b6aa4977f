// Events shared between the spooler's threads: the job thread waits on one
// while another thread pauses and resumes the job.
#pragma once
#include "platform/handle.h"
#include "platform/print/print_result.h"

namespace plat::print {

class Events {
 public:
  virtual ~Events() = default;

  // An unnamed auto-reset event: a wait lets one waiter through and clears it.
  [[nodiscard]] virtual Result<Handle> CreateAutoReset(bool signalled) = 0;
  [[nodiscard]] virtual Status Set(Handle event) = 0;
  [[nodiscard]] virtual Status Reset(Handle event) = 0;
  // Waits without a time limit.
  [[nodiscard]] virtual Status Wait(Handle event) = 0;
  virtual void Close(Handle event) = 0;
};

using UniqueEvent = UniqueHandle<Events>;

}  // namespace plat::print
