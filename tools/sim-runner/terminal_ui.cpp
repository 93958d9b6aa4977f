#include "terminal_ui.h"

#include <cctype>
#include <string_view>
#include <vector>

#include "sim/message_box_text.h"

namespace {

constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;
constexpr int kIdIgnore = 5;

struct Choice {
  char key;
  const char* label;
  int answer;
};

std::vector<Choice> ChoicesFor(std::uint32_t flags) {
  const Choice ok{'o', "[o]k", plat::mb::IdOk};
  const Choice cancel{'c', "[c]ancel", plat::mb::IdCancel};
  const Choice yes{'y', "[y]es", plat::mb::IdYes};
  const Choice no{'n', "[n]o", plat::mb::IdNo};
  switch (flags & plat::mb::ButtonMask) {
    case plat::mb::OkCancel: return {ok, cancel};
    case 2: return {{'a', "[a]bort", kIdAbort}, {'r', "[r]etry", kIdRetry}, {'i', "[i]gnore", kIdIgnore}};
    case plat::mb::YesNoCancel: return {yes, no, cancel};
    case plat::mb::YesNo: return {yes, no};
    case 5: return {{'r', "[r]etry", kIdRetry}, cancel};
    default: return {ok};
  }
}

void PrintIndented(std::ostream& out, std::string_view text) {
  std::size_t start = 0;
  while (true) {
    const auto nl = text.find('\n', start);
    out << "  | " << text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start) << "\n";
    if (nl == std::string_view::npos) break;
    start = nl + 1;
  }
}

}  // namespace

int TerminalUi::ShowMessage(plat::Handle /*owner*/, const std::string& text, const std::string& caption,
                            std::uint32_t flags) {
  const std::vector<Choice> choices = ChoicesFor(flags);
  const int fallback = sim::DefaultAnswer(flags);

  out_ << "\n  +-- " << caption << " (" << sim::IconName(flags) << ")\n";
  PrintIndented(out_, text);
  std::string prompt = "  +-- ";
  for (std::size_t i = 0; i < choices.size(); ++i) prompt += (i ? " / " : "") + std::string(choices[i].label);
  prompt += " (Enter: " + sim::AnswerName(fallback) + ") > ";

  AnsweredBox box{text, caption, flags, fallback, false};
  while (true) {
    out_ << prompt << std::flush;
    std::string line;
    if (!std::getline(in_, line)) {
      box.unanswered = true;
      out_ << "\n  (no more input: " << sim::AnswerName(fallback) << ")\n";
      break;
    }
    std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) break;  // Enter takes the default
    const char key = static_cast<char>(std::tolower(static_cast<unsigned char>(line[first])));
    bool matched = false;
    for (const Choice& c : choices) {
      if (c.key == key) {
        box.answer = c.answer;
        matched = true;
      }
    }
    if (matched) break;
    out_ << "  please answer with one of the letters in brackets\n";
  }
  if (onAnswered_) onAnswered_(box);
  return box.answer;
}

int TerminalUi::ShowWizard(bool /*backButton*/) {
  const int answer = ShowMessage(plat::kNoHandle, "Uninstall the selected items now?", "Uninstall",
                                 plat::mb::YesNo | plat::mb::IconQuestion);
  return answer == plat::mb::IdYes ? plat::mb::IdOk : plat::mb::IdCancel;
}

void TerminalUi::RunProgress(int total, const std::function<void(plat::Handle)>& start) {
  out_ << "\n  +-- Uninstall Status (" << total << " steps)\n";
  machineDialogs_.RunProgress(total, start);
  out_ << "  +-- done\n";
}

void TerminalUi::SendStatus(plat::Handle statusWindow, std::unique_ptr<plat::StatusUpdate> update) {
  if (update->flags & plat::status::ShowText) out_ << "  | " << update->text << "\n";
  machineDialogs_.SendStatus(statusWindow, std::move(update));
}

bool TerminalUi::WaitForJobs(plat::Handle statusWindow, const plat::JobWait& wait) {
  out_ << "  | " << wait.printerName << ": there are jobs in the print queue.  Waiting for them to finish...\n";
  const bool emptied = machineDialogs_.WaitForJobs(statusWindow, wait);
  out_ << "  | " << (emptied ? "the queue is empty" : "gave up waiting") << "\n";
  return emptied;
}

void TerminalUi::PostRemovalDone(plat::Handle statusWindow) { machineDialogs_.PostRemovalDone(statusWindow); }

plat::CompletionResult TerminalUi::ShowCompletion(const plat::CompletionRequest& request) {
  std::string text = request.rebootNeeded ? "Some files to be removed are in use, you must reboot your system to "
                                            "complete the uninstall. Restart Windows now?"
                                          : "Uninstall is complete.";
  if (request.showFailures) {
    std::string failures = request.failureText;
    for (std::size_t at = 0; (at = failures.find("\r\n", at)) != std::string::npos;) failures.erase(at, 1);
    text += "\n\nThe following items could not be uninstalled:\n" + failures;
  }
  plat::CompletionResult result;
  if (!request.rebootNeeded) {
    ShowMessage(plat::kNoHandle, text, "Uninstall", plat::mb::Ok);
    result.endedWithOk = true;
    return result;
  }
  const int answer = ShowMessage(plat::kNoHandle, text, "Uninstall", plat::mb::YesNo | plat::mb::IconQuestion);
  result.endedWithOk = true;
  result.restartChoice = answer == plat::mb::IdYes ? 0 : 1;
  return result;
}
