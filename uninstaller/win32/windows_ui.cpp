#include "windows_ui.h"

#include "app/cunst_main.h"
#include "ui/complete_dlg.h"
#include "ui/selection_wizard.h"
#include "ui/status_dlg.h"
#include "wizard/choices.h"
#include "wizard/select_page_model.h"

namespace {

// The progress dialog's view of the removal: the records and printers are
// the ones the Windows ports send as the messages' first parameter.
class PortFeed final : public ui::RemovalFeed {
 public:
  explicit PortFeed(const std::function<void(plat::Handle)>& start) : start_(start) {}

  void Start(HWND statusDialog) override { start_(reinterpret_cast<plat::Handle>(statusDialog)); }
  Status Read(WPARAM record) override {
    const auto* r = reinterpret_cast<const plat::StatusUpdate*>(record);
    return Status{r->flags, r->text, r->position, r->receiverFrees};
  }
  void Free(WPARAM record) override { delete reinterpret_cast<plat::StatusUpdate*>(record); }
  std::string PrinterName(WPARAM printer) override { return Wait(printer).printerName; }
  bool QueueEmpty(WPARAM printer) override {
    const plat::JobWait& wait = Wait(printer);
    // A wait without a way to look at the queue ends when the clock does.
    return wait.queueEmpty ? wait.queueEmpty() : false;
  }

 private:
  static const plat::JobWait& Wait(WPARAM printer) { return *reinterpret_cast<const plat::JobWait*>(printer); }
  const std::function<void(plat::Handle)>& start_;
};

}  // namespace

int WindowsUi::ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                           std::uint32_t flags) {
  return messages_.ShowMessage(owner, text, caption, flags);
}

int WindowsUi::ShowWizard(bool backButton) {
  if (app_ == nullptr) return plat::mb::IdCancel;
  SelectPageModel model(app_->items, PrinterChoices(app_->printers), DriverChoices(app_->orphanDrivers));
  ui::WizardOptions options;
  options.backButton = backButton;
  switch (ui::RunSelectionWizard(inst_, model, app_->componentTree.root(), options)) {
    case ui::WizardResult::Finish: return plat::mb::IdOk;
    case ui::WizardResult::Back: return plat::kWizardBack;
    case ui::WizardResult::Exit: break;
  }
  return plat::mb::IdCancel;
}

void WindowsUi::RunProgress(int total, const std::function<void(plat::Handle)>& start) {
  PortFeed feed(start);
  ui::CStatusDlg dialog(feed, total);
  // Without its window the removal still runs, reporting to nobody.
  if (dialog.Show(inst_, nullptr) < 0) start(plat::kNoHandle);
}

void WindowsUi::SendStatus(plat::Handle statusWindow, std::unique_ptr<plat::StatusUpdate> update) {
  messages_.SendStatus(statusWindow, std::move(update));
}

bool WindowsUi::WaitForJobs(plat::Handle statusWindow, const plat::JobWait& wait) {
  return messages_.WaitForJobs(statusWindow, wait);
}

void WindowsUi::PostRemovalDone(plat::Handle statusWindow) { messages_.PostRemovalDone(statusWindow); }

plat::CompletionResult WindowsUi::ShowCompletion(const plat::CompletionRequest& request) {
  ui::CCompleteDlg dialog(request.showFailures, request.rebootNeeded, request.failureText);
  const INT_PTR shown = dialog.Show(inst_, nullptr);
  // A dialog that could not be shown answers like the box that stood in for
  // it: nothing confirmed, so no restart.
  if (shown < 0) return messages_.ShowCompletion(request);
  plat::CompletionResult result;
  result.endedWithOk = shown == IDOK;
  if (request.rebootNeeded) result.restartChoice = dialog.restartChoice();
  return result;
}
