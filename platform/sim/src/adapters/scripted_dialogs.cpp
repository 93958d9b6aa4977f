// The run's dialogs on the simulated machine: the wizard and the completion
// dialog take the image's scripted answers, the progress dialog journals what
// the removal tells it, and the wait dialog runs its one-second timer on the
// virtual clock.
#include <string>

#include "model/machine_state.h"
#include "scripted_ui.h"
#include "sim/message_box_text.h"

namespace sim {

namespace {

std::string ScriptError(const std::string& answer, const std::string& dialog, const std::string& buttons) {
  return "the answer " + answer + " is not a button of the " + dialog + " dialog (" + buttons + ")";
}

}  // namespace

std::optional<UiAnswer> ScriptedUi::TakeDialogAnswer(std::string_view dialog, nlohmann::json& entry) {
  auto& answers = m_.data.answers;
  if (answers.empty()) return std::nullopt;
  if (answers.front().dialog != dialog) {
    const UiAnswer& next = answers.front();
    entry["expected"] = next.dialog ? "the " + *next.dialog + " dialog"
                                    : "a message box " + next.text.value_or(next.caption.value_or(""));
    return std::nullopt;
  }
  UiAnswer answer = answers.front();
  answers.erase(answers.begin());
  return answer;
}

int ScriptedUi::ShowWizard(bool backButton) {
  nlohmann::json entry{{"event", "wizard"}, {"backButton", backButton}};
  // Nobody at the wizard closes it.
  int result = plat::mb::IdCancel;
  const auto scripted = TakeDialogAnswer("wizard", entry);
  if (scripted && !scripted->tick.empty()) {
    entry["tick"] = scripted->tick;
    std::optional<std::string> tickError =
        wizardTicker_ ? wizardTicker_(scripted->tick) : std::optional<std::string>("this run's wizard has no tree to tick");
    if (tickError) entry["error"] = *tickError;
  }
  if (scripted && !entry.contains("error")) {
    const int a = scripted->answer;
    if (a == plat::mb::IdOk || a == plat::mb::IdCancel || (a == plat::kWizardBack && backButton)) {
      result = a;
    } else {
      entry["error"] = ScriptError(AnswerName(a), "wizard", backButton ? "IDOK, IDCANCEL, BACK" : "IDOK, IDCANCEL");
    }
  }
  if (!scripted || entry.contains("error")) entry["unanswered"] = true;
  entry["answer"] = AnswerName(result);
  m_.Record(std::move(entry));
  return result;
}

void ScriptedUi::RunProgress(int total, const std::function<void(plat::Handle)>& start) {
  const plat::Handle window = m_.NewHandle();
  {
    std::lock_guard<std::mutex> lock(doneMutex_);
    progressWindow_ = window;
    removalDone_ = false;
    bar_ = 0;
  }
  m_.Record({{"event", "progress"}, {"total", total}});
  start(window);
  // The removal may run on its own thread: the dialog stays until it is told
  // that the removal is done, whatever else happens.
  std::unique_lock<std::mutex> lock(doneMutex_);
  doneSignal_.wait(lock, [this] { return removalDone_; });
  progressWindow_ = plat::kNoHandle;
  m_.Record({{"event", "progressClosed"}, {"bar", bar_}});
}

void ScriptedUi::SendStatus(plat::Handle statusWindow, std::unique_ptr<plat::StatusUpdate> update) {
  nlohmann::json entry{{"event", "status"}, {"flags", update->flags}, {"receiverFrees", update->receiverFrees}};
  if (statusWindow != progressWindow_ || statusWindow == plat::kNoHandle) entry["error"] = "no progress dialog has this window";
  if (update->flags & plat::status::ShowText) entry["text"] = update->text;
  if (update->flags & plat::status::SetPosition) {
    bar_ = update->position;
  } else if (update->flags & plat::status::Step) {
    ++bar_;
  }
  entry["bar"] = bar_;
  m_.Record(std::move(entry));
}

bool ScriptedUi::WaitForJobs(plat::Handle statusWindow, const plat::JobWait& wait) {
  nlohmann::json entry{{"event", "waitForJobs"}, {"printer", wait.printerName}, {"timeout", wait.timeoutSeconds}};
  if (statusWindow != progressWindow_ || statusWindow == plat::kNoHandle) entry["error"] = "no progress dialog has this window";
  std::optional<std::uint64_t> cancelAt;
  if (const auto scripted = TakeDialogAnswer("wait", entry)) {
    if (scripted->answer == plat::mb::IdCancel) {
      cancelAt = scripted->afterSeconds.value_or(0);
    } else {
      entry["error"] = ScriptError(AnswerName(scripted->answer), "wait", "IDCANCEL");
    }
  }
  const std::uint32_t started = clock_.TickCount();
  std::uint32_t elapsed = 0;
  bool ok = false;
  const char* endedBy = "timeout";
  for (;;) {
    if (cancelAt && elapsed / 1000 >= *cancelAt) {
      endedBy = "cancel";
      break;
    }
    clock_.Sleep(1000);
    elapsed = clock_.TickCount() - started;
    if (wait.queueEmpty && wait.queueEmpty()) {
      ok = true;
      endedBy = "emptyQueue";
      break;
    }
    if (plat::JobWaitTimedOut(elapsed, wait.timeoutSeconds)) break;
  }
  entry["endedBy"] = endedBy;
  entry["seconds"] = elapsed / 1000;
  entry["answer"] = ok ? "IDOK" : "IDCANCEL";
  m_.Record(std::move(entry));
  return ok;
}

void ScriptedUi::PostRemovalDone(plat::Handle statusWindow) {
  m_.Record({{"event", "removalDone"}});
  std::lock_guard<std::mutex> lock(doneMutex_);
  if (statusWindow == progressWindow_) removalDone_ = true;
  doneSignal_.notify_all();
}

plat::CompletionResult ScriptedUi::ShowCompletion(const plat::CompletionRequest& request) {
  nlohmann::json entry{{"event", "completion"}, {"rebootNeeded", request.rebootNeeded}};
  if (request.showFailures) entry["failures"] = request.failureText;
  plat::CompletionResult result;
  result.restartChoice = request.rebootNeeded ? 0 : -1;
  // The default button is OK, leaving the choice as the dialog set it.
  int answer = plat::mb::IdOk;
  const auto scripted = TakeDialogAnswer("completion", entry);
  if (scripted) {
    const int a = scripted->answer;
    const bool fits = a == plat::mb::IdOk || a == plat::mb::IdCancel ||
                      (request.rebootNeeded && (a == plat::mb::IdYes || a == plat::mb::IdNo));
    if (fits) {
      answer = a;
    } else {
      entry["error"] = ScriptError(AnswerName(a), "completion", request.rebootNeeded ? "IDOK, IDYES, IDNO, IDCANCEL" : "IDOK, IDCANCEL");
    }
  }
  if (!scripted || entry.contains("error")) entry["unanswered"] = true;
  if (answer == plat::mb::IdYes) result.restartChoice = 0;
  if (answer == plat::mb::IdNo) result.restartChoice = 1;
  result.endedWithOk = answer != plat::mb::IdCancel;
  entry["answer"] = AnswerName(answer);
  entry["restartChoice"] = result.restartChoice;
  m_.Record(std::move(entry));
  return result;
}

}  // namespace sim
