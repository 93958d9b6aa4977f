#include "curses_ui.h"

#include <curses.h>

#include <string>
#include <vector>

#include "curses_draw.h"
#include "sim/message_box_text.h"
#include "wait_screen.h"
#include "wizard/removal_dialogs.h"
#include "wizard/select_page_model.h"
#include "wizard_screen.h"

namespace {

struct BoxButton {
  const char* text;
  int answer;
};

std::vector<BoxButton> ButtonsOf(std::uint32_t flags) {
  switch (flags & plat::mb::ButtonMask) {
    case plat::mb::OkCancel: return {{"&OK", plat::mb::IdOk}, {"&Cancel", plat::mb::IdCancel}};
    case 2: return {{"&Abort", 3}, {"&Retry", 4}, {"&Ignore", 5}};
    case plat::mb::YesNoCancel:
      return {{"&Yes", plat::mb::IdYes}, {"&No", plat::mb::IdNo}, {"&Cancel", plat::mb::IdCancel}};
    case plat::mb::YesNo: return {{"&Yes", plat::mb::IdYes}, {"&No", plat::mb::IdNo}};
    case 5: return {{"&Retry", 4}, {"&Cancel", plat::mb::IdCancel}};
    default: return {{"&OK", plat::mb::IdOk}};
  }
}

}  // namespace

int CursesUi::ShowMessage(plat::Handle, const std::string& text, const std::string& caption, std::uint32_t flags) {
  std::lock_guard<std::mutex> lock(screen_.lock());
  screen_.Open();
  const std::vector<BoxButton> choices = ButtonsOf(flags);
  // The first button is the default, as in a box without a default flag.
  std::vector<term::Button> buttons;
  for (std::size_t i = 0; i < choices.size(); ++i) buttons.push_back({choices[i].text, true, i == 0});
  int answer = 0;
  while (answer == 0) {
    const int width = term::DrawFrame(caption);
    const int row = term::DrawWrapped(2, "(" + sim::IconName(flags) + ") " + text, width);
    term::DrawButtons(std::min(row + 1, LINES - 2), buttons);
    refresh();
    const int key = getch();
    int pressed = term::ButtonForKey(buttons, key);
    if (key == term::kEnter || key == KEY_ENTER) pressed = 0;
    if (pressed >= 0) answer = choices[static_cast<std::size_t>(pressed)].answer;
  }
  record_({{"event", "messageBox"},
           {"text", text},
           {"caption", caption},
           {"icon", sim::IconName(flags)},
           {"buttons", sim::ButtonsName(flags)},
           {"answer", sim::AnswerName(answer)}});
  return answer;
}

int CursesUi::ShowWizard(bool backButton) {
  int result = plat::mb::IdCancel;
  if (app_) {
    std::lock_guard<std::mutex> lock(screen_.lock());
    screen_.Open();
    SelectPageModel model(app_->items, PrinterChoices(app_->printers), DriverChoices(app_->orphanDrivers));
    result = RunWizardScreen(model, app_->componentTree.root(), backButton);
  }
  record_({{"event", "wizard"}, {"backButton", backButton}, {"answer", result == plat::kWizardBack
                                                                             ? std::string("BACK")
                                                                             : sim::AnswerName(result)}});
  return result;
}

void CursesUi::DrawProgress() {
  const int width = term::DrawFrame("Uninstall Status");
  term::DrawWrapped(2, "Uninstalling the selected items. Please wait.", width);
  const int barWidth = std::max(10, width - 12);
  const int filled = total_ > 0 ? std::min(barWidth, bar_ * barWidth / total_) : 0;
  std::string bar = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                    std::string(static_cast<std::size_t>(barWidth - filled), ' ') + "] ";
  bar += std::to_string(bar_) + "/" + std::to_string(total_);
  mvaddnstr(4, 2, bar.c_str(), COLS - 4);
  mvaddnstr(6, 2, status_.c_str(), COLS - 4);
  refresh();
}

void CursesUi::RunProgress(int total, const std::function<void(plat::Handle)>& start) {
  {
    std::lock_guard<std::mutex> lock(screen_.lock());
    screen_.Open();
    total_ = total;
    bar_ = 0;
    status_.clear();
    DrawProgress();
  }
  // The machine's dialog stays open until the removal says it is done.
  machineDialogs_.RunProgress(total, start);
}

void CursesUi::SendStatus(plat::Handle statusWindow, std::unique_ptr<plat::StatusUpdate> update) {
  {
    std::lock_guard<std::mutex> lock(screen_.lock());
    bar_ = ProgressAfter(update->flags, bar_, update->position);
    if (update->flags & plat::status::ShowText) status_ = update->text;
    DrawProgress();
  }
  machineDialogs_.SendStatus(statusWindow, std::move(update));
}

bool CursesUi::WaitForJobs(plat::Handle, const plat::JobWait& wait) {
  std::lock_guard<std::mutex> lock(screen_.lock());
  const WaitOutcome outcome = RunWaitScreen(wait, clock_);
  record_({{"event", "waitForJobs"},
           {"printer", wait.printerName},
           {"timeout", wait.timeoutSeconds},
           {"endedBy", outcome.endedBy},
           {"seconds", outcome.seconds},
           {"answer", outcome.queueEmpty ? "IDOK" : "IDCANCEL"}});
  DrawProgress();
  return outcome.queueEmpty;
}

void CursesUi::PostRemovalDone(plat::Handle statusWindow) { machineDialogs_.PostRemovalDone(statusWindow); }

plat::CompletionResult CursesUi::ShowCompletion(const plat::CompletionRequest& request) {
  std::lock_guard<std::mutex> lock(screen_.lock());
  screen_.Open();
  const CompletionView view = ViewCompletion(request.showFailures, request.rebootNeeded);
  int choice = view.restartChoice;
  bool ok = false;
  for (;;) {
    const int width = term::DrawFrame("Uninstall");
    int row = term::DrawWrapped(2, view.completeMessage, width) + 1;
    if (view.showRestartChoice) {
      mvaddstr(row++, 4, ((choice == kRestartNow ? "(*) " : "( ) ") + view.yesText).c_str());
      mvaddstr(row++, 4, ((choice == kRestartLater ? "(*) " : "( ) ") + view.noText).c_str());
      attron(A_DIM);
      mvaddstr(row++, 4, "Up/Down or Y/N choose");
      attroff(A_DIM);
      ++row;
    }
    if (view.showFailures) {
      row = term::DrawWrapped(row, view.errorMessage, width);
      row = term::DrawWrapped(row, request.failureText, width - 2);
    }
    term::DrawButtons(LINES - 2, {{"&OK", true, true}});
    refresh();
    const int key = getch();
    if (key == term::kEnter || key == KEY_ENTER || key == 'o' || key == 'O') {
      ok = true;
      break;
    }
    if (key == term::kEscape) break;
    if (!view.showRestartChoice) continue;
    if (key == KEY_UP || key == 'y' || key == 'Y') choice = kRestartNow;
    if (key == KEY_DOWN || key == 'n' || key == 'N') choice = kRestartLater;
  }
  plat::CompletionResult result;
  result.endedWithOk = ok;
  result.restartChoice = view.showRestartChoice ? RestartChoiceOnClose(ok, choice) : -1;
  nlohmann::json entry{{"event", "completion"},
                       {"rebootNeeded", request.rebootNeeded},
                       {"answer", ok ? "IDOK" : "IDCANCEL"},
                       {"restartChoice", result.restartChoice}};
  if (request.showFailures) entry["failures"] = request.failureText;
  record_(std::move(entry));
  return result;
}
