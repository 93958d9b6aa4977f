#include "system/restart_windows.h"

#include "platform/win_errors.h"

namespace {
constexpr std::uint32_t kAnswerTimeoutMs = 2000;

// The 9x family gives hung programs no chance to hold up the restart: every
// window is asked to end its session, and the process of one that does not
// answer in time is ended.
void EndSessionOfEveryWindow(plat::Desktop& desktop) {
  for (plat::WindowId w : desktop.TopLevelWindows()) {
    std::uintptr_t answer = 0;
    const plat::WinError err =
        desktop.SendWithTimeout(w, plat::desk::WmQueryEndSession, 0, plat::desk::EndSessionLogoff,
                                plat::desk::SmtoAbortIfHung, kAnswerTimeoutMs, &answer);
    if (err == winerr::Success) {
      // The session ends whatever the window answers.
      static_cast<void>(desktop.SendWithTimeout(w, plat::desk::WmEndSession, 1, plat::desk::EndSessionLogoff,
                                                plat::desk::SmtoAbortIfHung, kAnswerTimeoutMs, &answer));
    } else {
      // A process that will not end is left to the shutdown.
      static_cast<void>(desktop.TerminateWindowProcess(w));
    }
  }
}
}  // namespace

void RestartWindows(plat::Desktop& desktop, OsKind kind) {
  // Only the 9x family takes the window round; any other system (including
  // NT versions newer than we know) needs the shutdown privilege instead.
  if (IsWin9x(kind)) {
    EndSessionOfEveryWindow(desktop);
  } else {
    static_cast<void>(desktop.EnablePrivilege("SeShutdownPrivilege"));  // a failure shows in Shutdown
  }
  // A refused restart leaves the user to restart; the run has nothing left to do.
  static_cast<void>(desktop.Shutdown(plat::desk::EwxReboot, 0));
}
