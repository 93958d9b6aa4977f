#include "wait_screen.h"

#include <curses.h>

#include "curses_draw.h"
#include "wizard/removal_dialogs.h"

WaitOutcome RunWaitScreen(const plat::JobWait& wait, plat::Clock& clock) {
  WaitOutcome outcome;
  const std::uint32_t started = clock.TickCount();
  const std::vector<term::Button> buttons{{"&Cancel", true, true}};
  for (;;) {
    const int width = term::DrawFrame("Waiting for print jobs to finish");
    int row = term::DrawWrapped(2,
                                "There are jobs in the print queue of \"" + wait.printerName +
                                    "\". Waiting for them to finish...",
                                width);
    const std::int64_t left = static_cast<std::int64_t>(wait.timeoutSeconds) - outcome.seconds;
    mvaddstr(row + 1, 2, ("Seconds left: " + std::to_string(left < 0 ? 0 : left) + "  ").c_str());
    term::DrawButtons(row + 3, buttons);
    refresh();

    timeout(1000);
    const int key = getch();
    timeout(-1);
    if (key == term::kEnter || key == KEY_ENTER || key == term::kEscape || key == 'c' || key == 'C') {
      outcome.endedBy = "cancel";
      return outcome;
    }
    clock.Sleep(1000);
    const std::uint32_t elapsed = clock.TickCount() - started;
    outcome.seconds = elapsed / 1000;
    const bool empty = wait.queueEmpty && wait.queueEmpty();
    switch (DecideWaitTick(empty, elapsed, wait.timeoutSeconds)) {
      case WaitTick::QueueEmpty:
        outcome.queueEmpty = true;
        outcome.endedBy = "emptyQueue";
        return outcome;
      case WaitTick::TimedOut: outcome.endedBy = "timeout"; return outcome;
      case WaitTick::KeepWaiting: break;
    }
  }
}
