// The run after start-up: the selection wizard (interactive runs), the removal
// under the progress dialog, the removal of the uninstaller itself and the
// restart decision.
#include <string>
#include <system_error>

#include "app/cunst_main.h"
#include "system/restart_windows.h"

namespace {

const char kRemoveAllWarning[] = "WARNING: This will remove all software and registry settings.  Continue?";

// Text-mode line ends: the completion dialog's edit control shows "\r\n".
std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

void CUnstMain::RunInteractive(bool showWizard) {
  if (removeAll &&
      AppMessageBox(kRemoveAllWarning, plat::mb::YesNo | plat::mb::IconWarning) != plat::mb::IdYes) {
    return;
  }
  if (showWizard) {
    const int result = platform_.ui.ShowWizard(backButton);
    if (result == plat::kWizardBack) {
      exitCode = 1;
      return;
    }
    if (result != plat::mb::IdOk) return;
  }

  const int total = items.CountSelected() + printers.CountSelectedMakerPrinters();
  platform_.ui.RunProgress(total, [this](plat::Handle statusWindow) { StartRemoval(true, statusWindow); });
  // The progress dialog closes when the worker says it is done; waiting for
  // the thread as well means no step below can overlap the removal, however
  // the dialog was closed.
  JoinRemoval();
  RemoveUninstaller();

  plat::CompletionRequest completion;
  completion.rebootNeeded = deleter.rebootNeeded;
  std::string driverFailures = drivers.FailureText();
  std::string itemFailures;
  items.AppendFailures(itemFailures);
  if (!driverFailures.empty() || !itemFailures.empty()) {
    completion.failureText = WithCrLf(driverFailures) + WithCrLf(itemFailures);
    completion.showFailures = true;
  }
  const plat::CompletionResult answer = platform_.ui.ShowCompletion(completion);
  // Only a restart the user confirmed with OK: closing the dialog otherwise
  // leaves Windows running.
  if (answer.endedWithOk && answer.restartChoice == 0) RestartWindows(platform_.desktop, GetOsKind());
}

void CUnstMain::RunSilent() {
  StartRemoval(false, plat::kNoHandle);
  RemoveUninstaller();
  if (!deleter.rebootNeeded) return;
  if (rebootMode == 1) {
    RestartWindows(platform_.desktop, GetOsKind());
  } else if (rebootMode == -1) {
    // The restart question alone: no failure list in a silent run.
    plat::CompletionRequest question;
    question.rebootNeeded = true;
    const plat::CompletionResult answer = platform_.ui.ShowCompletion(question);
    if (answer.endedWithOk && answer.restartChoice == 0) RestartWindows(platform_.desktop, GetOsKind());
  }
}

void CUnstMain::StartRemoval(bool asynchronous, plat::Handle statusWindow) {
  removalJob = RemovalJob{&items, componentTree.root(), statusWindow, &printers, &drivers};
  if (asynchronous) {
    try {
      worker_ = std::thread([this] { RemovalWorker(removalJob); });
      return;
    } catch (const std::system_error&) {
      // No thread to be had: the removal runs here, the dialog still gets
      // every message, only it cannot repaint meanwhile.
    }
  }
  RemovalWorker(removalJob);
}

void CUnstMain::JoinRemoval() {
  if (worker_.joinable()) worker_.join();
}
