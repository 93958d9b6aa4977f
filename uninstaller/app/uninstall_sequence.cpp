// The run after start-up: the selection wizard (interactive runs), the removal
// worker, the removal of the uninstaller itself and the restart decision.
#include "app/cunst_main.h"
#include "system/restart_windows.h"

namespace {

const char kRemoveAllWarning[] = "WARNING: This will remove all software and registry settings.  Continue?";

// The wizard's result when Back is pressed on its first page (switch B).
constexpr int kWizardBack = 500;

// The selection wizard is not built yet; without it an interactive run
// cannot offer a choice, so it ends as a cancelled wizard would.
int ShowSelectionWizard(CUnstMain&) { return plat::mb::IdCancel; }

}  // namespace

void CUnstMain::RunInteractive(bool showWizard) {
  if (removeAll &&
      AppMessageBox(kRemoveAllWarning, plat::mb::YesNo | plat::mb::IconWarning) != plat::mb::IdYes) {
    return;
  }
  if (showWizard) {
    const int result = ShowSelectionWizard(*this);
    if (result == plat::mb::IdCancel) return;
    if (result == kWizardBack) {
      exitCode = 1;
      return;
    }
  }
  // Until the progress dialog exists the removal runs here, without status.
  StartRemoval(false, plat::kNoHandle);
  RemoveUninstaller();
}

void CUnstMain::RunSilent() {
  StartRemoval(false, plat::kNoHandle);
  RemoveUninstaller();
  if (!deleter.rebootNeeded) return;
  if (rebootMode == 1) RestartWindows(platform_.desktop, GetOsKind());
  // -1 asks through the completion dialog's restart form, which is not built
  // yet; until then the restart is left to the user.
}

void CUnstMain::StartRemoval(bool /*asynchronous*/, plat::Handle statusWindow) {
  removalJob = RemovalJob{&items, componentTree.root(), statusWindow, &printers, &drivers};
  // The worker thread comes with the progress dialog; every run is
  // synchronous until then.
  RemovalWorker(removalJob);
}

void CUnstMain::RemoveUninstaller() {
  deleter.FlushRenameEntries();
  // From here on a locked file is scheduled for the restart at once.
  deleter.collectMode = false;
  // Only a removal that left nothing of the maker's sets selfRemove, and no
  // remover runs yet, so the uninstaller's own files stay.
}
