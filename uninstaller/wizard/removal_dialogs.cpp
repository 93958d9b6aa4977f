#include "wizard/removal_dialogs.h"

int ProgressAfter(int flags, int current, int given) {
  if (flags & kStatusPosition) return given;
  if (flags & kStatusStep) return current + 1;
  return current;
}

WaitTick DecideWaitTick(bool queueEmpty, std::uint32_t elapsedMs, int timeoutSeconds) {
  if (queueEmpty) return WaitTick::QueueEmpty;
  const auto wholeSeconds = static_cast<std::int64_t>(elapsedMs / 1000);
  return wholeSeconds > timeoutSeconds ? WaitTick::TimedOut : WaitTick::KeepWaiting;
}

CompletionView ViewCompletion(bool showFailures, bool rebootNeeded) {
  CompletionView v;
  v.showFailures = showFailures;
  if (showFailures) v.errorMessage = "The following items could not be uninstalled:";
  if (rebootNeeded) {
    v.completeMessage =
        "Some files to be removed are in use, you must reboot your system to complete the uninstall. Please "
        "choose one of the options and click OK";
    v.showRestartChoice = true;
    v.restartChoice = kRestartNow;
    v.yesText = "Yes, I want to restart Windows now.";
    v.noText = "No, I will restart my computer later.";
  } else {
    v.completeMessage = "Uninstall is complete.";
  }
  return v;
}

int RestartChoiceOnClose(bool closedWithOk, int chosen) {
  if (!closedWithOk) return kRestartLater;
  return chosen == kRestartNow ? kRestartNow : kRestartLater;
}
