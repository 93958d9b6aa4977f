// The removal worker: printers, then the drivers they freed, then the
// components children first, the final clean-up when nothing of the maker's is
// left, and the files that were locked while the spooler held them.
#include <memory>
#include <new>
#include <string>

#include "app/cunst_main.h"
#include "components/component_remover.h"
#include "maker/maker_identity.h"
#include "platform/text.h"
#include "system/service_control.h"

namespace {

constexpr int kStopTimeoutSeconds = 30;
constexpr int kRetryRounds = 30;
constexpr std::uint32_t kRetryPauseMs = 1000;
constexpr std::uint32_t kRestartPauseMs = 2000;
constexpr int kSpoolerStartTries = 11;

// The printer pass's notices, as status messages to the progress dialog.
class StatusProgress final : public RemovalProgress {
 public:
  StatusProgress(plat::Ui& ui, plat::Handle statusWindow) : ui_(ui), statusWindow_(statusWindow) {}
  void ShowText(std::string_view text) override {
    plat::SendStatus(ui_, statusWindow_, std::string(text), plat::status::ShowText);
  }
  void Step() override { plat::SendStatus(ui_, statusWindow_, std::string(), plat::status::Step); }

 private:
  plat::Ui& ui_;
  plat::Handle statusWindow_;
};

// Children first, each with its own children first, then the node itself.
void RemoveComponents(UnstTreeNode* node, ComponentRemover& remover) {
  for (UnstTreeNode* child = node->firstChild; child; child = child->nextSibling) RemoveComponents(child, remover);
  if (node->item && node->item->selected) node->item->removed = remover.RemoveComponent(*node->item);
}

}  // namespace

int CUnstMain::RemovalWorker(RemovalJob& job) {
  // Until its remover has answered, a selected component counts as not
  // removed: a run cut short must not report what it never tried as done.
  for (UnstItem& item : *job.items) {
    if (item.selected) item.removed = false;
  }
  // The install-log client needs OLE on the thread that calls it.
  plat::InstallLog& log = platform_.installLog;
  const bool oleReady = log.InitializeOle().ok();
  try {
    RemoveSelectedObjects(job);
  } catch (const InstallLogError&) {
    // A failure ends the removal steps but not the run: what went wrong is
    // not shown, and the completion dialog lists what stays. The locked
    // files and the end of the progress dialog still follow.
  } catch (const std::bad_alloc&) {
    // Likewise when memory runs out part way.
  }
  if (oleReady) log.UninitializeOle();
  RetryLockedFiles();
  if (job.statusWindow != plat::kNoHandle) platform_.ui.PostRemovalDone(job.statusWindow);
  return 0;
}

void CUnstMain::RemoveSelectedObjects(RemovalJob& job) {
  ComponentRemover remover(Components());
  remover.SetStatusWindow(job.statusWindow);

  WaitForJobsCallback waitCallback;
  const plat::Handle statusWindow = job.statusWindow;
  if (statusWindow != plat::kNoHandle) {
    waitCallback = [this, statusWindow](CPrinter& printer) { return WaitForJobs(printer, statusWindow); };
  }
  plat::SendStatus(platform_.ui, statusWindow, "Removing \"Printer Objects\" files...",
                   plat::status::ShowText | plat::status::SetPosition, 0);

  StatusProgress progress(platform_.ui, statusWindow);
  job.printers->RemoveSelected(waitCallback, statusWindow != plat::kNoHandle ? &progress : nullptr);
  bool leftBehind = job.printers->AnyMakerPrinterLeft();
  remover.RemovePrinterRecords(*job.printers);
  job.drivers->RemoveFreedMakerDrivers();
  if (job.drivers->AnyMakerDriverLeft()) leftBehind = true;
  remover.RemoveDriverRecords(*job.drivers);

  RemoveComponents(job.treeRoot, remover);

  const int bidi = job.items->Find("Bidi");
  keepBidiService = bidi >= 0 && !(*job.items)[bidi].selected && !remover.bidiRemoved;

  if (!remover.HasOtherSoftware() && !leftBehind) {
    remover.RemoveStaleDevModes(*job.printers);
    const std::string ownPath = remover.RemoveUninstallerRecord(true);
    // A "versions.ini" beside the install directory means another product of
    // the family still uses the uninstaller.
    const std::string installDir = InstallDirectory();
    const std::string marker = installDir.substr(0, installDir.rfind('\\')) + "\\versions.ini";
    std::uint32_t attributes = 0;
    if (platform_.files.GetAttributes(marker, &attributes) != winerr::Success) {
      selfRemove = true;
      uninstallerPath = ownPath;
    }
  }
  remover.NotifyLockedFiles();
}

bool CUnstMain::WaitForJobs(CPrinter& printer, plat::Handle statusWindow) {
  plat::JobWait wait;
  wait.printerName = printer.name;
  // The progress dialog gives a queue half a minute to empty.
  wait.timeoutSeconds = 30;
  wait.queueEmpty = [&printer] { return printer.HasNoPendingJobs(); };
  return platform_.ui.WaitForJobs(statusWindow, wait);
}

void CUnstMain::RetryLockedFiles() {
  plat::Platform& p = platform();
  if (deleter.HasDeferred()) {
    // Only Windows 2000/XP can free a driver file by stopping the spooler;
    // elsewhere what is locked waits for the restart.
    if (!IsNT5(GetOsKind())) {
      // Without collecting, whatever is left is scheduled: nothing to wait for.
      static_cast<void>(deleter.RetryDeferred(false));
      return;
    }
    ServiceControl spooler(p.services, p.clock, "spooler");
    ServiceControl bidi(p.services, p.clock, std::string(maker::kBidiService));
    // A spooler that does not stop only keeps its files locked; the retries
    // below find out.
    static_cast<void>(spooler.Stop(kStopTimeoutSeconds));
    const bool bidiStopped = keepBidiService && bidi.Stop(kStopTimeoutSeconds);
    bool done = false;
    for (int round = 0; round < kRetryRounds && !done; ++round) {
      p.clock.Sleep(kRetryPauseMs);
      done = deleter.RetryDeferred(true);
    }
    if (!done) static_cast<void>(deleter.RetryDeferred(false));  // the rest is scheduled
    // The services are started again as far as they go; the removal's
    // outcome is already decided.
    if (bidiStopped) static_cast<void>(bidi.Start());
    static_cast<void>(spooler.Start());
    return;
  }
  if (restartSpooler && IsNT5(GetOsKind())) {
    ServiceControl spooler(p.services, p.clock, "spooler");
    // A restart that fails to stop it still tries to start it below.
    static_cast<void>(spooler.Stop(kStopTimeoutSeconds));
    p.clock.Sleep(kRestartPauseMs);
    for (int tries = 1; !spooler.Start() && tries < kSpoolerStartTries; ++tries) p.clock.Sleep(kRestartPauseMs);
  }
}
