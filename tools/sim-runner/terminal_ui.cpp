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
