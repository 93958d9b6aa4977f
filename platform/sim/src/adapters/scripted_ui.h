// Ui port for runs without a user: message boxes and the run's dialogs are
// answered from the image's scripted answers, and what each showed is
// written to the journal.
#pragma once
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/machine_data.h"
#include "platform/clock.h"
#include "platform/ui.h"

namespace sim {

class MachineState;

class ScriptedUi final : public plat::Ui {
 public:
  ScriptedUi(MachineState& m, plat::Clock& clock) : m_(m), clock_(clock) {}
  int ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                  std::uint32_t flags) override;
  int ShowWizard(bool backButton) override;
  void RunProgress(int total, const std::function<void(plat::Handle)>& start) override;
  void SendStatus(plat::Handle statusWindow, std::unique_ptr<plat::StatusUpdate> update) override;
  bool WaitForJobs(plat::Handle statusWindow, const plat::JobWait& wait) override;
  void PostRemovalDone(plat::Handle statusWindow) override;
  plat::CompletionResult ShowCompletion(const plat::CompletionRequest& request) override;

  using WizardTicker = std::function<std::optional<std::string>(const std::vector<std::string>&)>;
  void SetWizardTicker(WizardTicker ticker) { wizardTicker_ = std::move(ticker); }

 private:
  // The next answer when it is meant for `dialog`; nullopt leaves it in line
  // and notes in `entry` what it expected instead.
  std::optional<UiAnswer> TakeDialogAnswer(std::string_view dialog, nlohmann::json& entry);

  MachineState& m_;
  plat::Clock& clock_;  // the wait dialog's seconds pass on the machine's clock
  WizardTicker wizardTicker_;
  // The progress dialog's window while it is open, and whether the removal
  // told it that it is done; the worker thread sets it.
  plat::Handle progressWindow_ = plat::kNoHandle;
  bool removalDone_ = false;
  int bar_ = 0;  // the progress bar's position
  std::mutex doneMutex_;
  std::condition_variable doneSignal_;
};

}  // namespace sim
