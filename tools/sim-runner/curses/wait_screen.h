// The wait for a printer's queue on the terminal: the printer, the seconds
// left, and Cancel. Its one-second timer runs on the machine's clock, and a
// real second passes between ticks unless a key ends the wait first.
#pragma once
#include <string>

#include "platform/clock.h"
#include "platform/ui.h"

struct WaitOutcome {
  bool queueEmpty = false;
  std::string endedBy;  // "emptyQueue", "timeout" or "cancel"
  std::uint32_t seconds = 0;
};

WaitOutcome RunWaitScreen(const plat::JobWait& wait, plat::Clock& clock);
