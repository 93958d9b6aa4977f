// The removal worker: printers, then the drivers they freed, then the files
// that were locked while the spooler held them.
#include "app/cunst_main.h"
#include "maker/maker_identity.h"
#include "system/service_control.h"

namespace {

constexpr int kStopTimeoutSeconds = 30;
constexpr int kRetryRounds = 30;
constexpr std::uint32_t kRetryPauseMs = 1000;
constexpr std::uint32_t kRestartPauseMs = 2000;
constexpr int kSpoolerStartTries = 11;

}  // namespace

int CUnstMain::RemovalWorker(RemovalJob& job) {
  // The progress dialog (and with it the wait for queued jobs) is not built
  // yet, so a printer that still has jobs is left in place and reported.
  job.printers->RemoveSelected(WaitForJobsCallback{}, nullptr);
  bool leftBehind = job.printers->AnyMakerPrinterLeft();
  job.drivers->RemoveFreedMakerDrivers();
  if (job.drivers->AnyMakerDriverLeft()) leftBehind = true;
  // Component removal and the final clean-up join here; until they do, the
  // uninstaller keeps itself whatever is left.
  (void)leftBehind;
  RetryLockedFiles();
  return 0;
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
