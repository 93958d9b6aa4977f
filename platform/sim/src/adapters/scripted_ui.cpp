#include "scripted_ui.h"

#include "model/machine_state.h"
#include "sim/message_box_text.h"

namespace sim {

// The next scripted answer answers the box; an answer that names a text (or
// caption) only answers a box that matches it, and otherwise stays in line,
// so a test notices a box it did not expect.
int ScriptedUi::ShowMessage(plat::Handle, const std::string& text, const std::string& caption, std::uint32_t flags) {
  if (m_.Fault("Ui.ShowMessage", text)) return 0;
  nlohmann::json entry{{"event", "messageBox"}, {"text", text},          {"caption", caption},
                       {"icon", IconName(flags)}, {"buttons", ButtonsName(flags)}};
  auto& answers = m_.data.answers;
  int answer = DefaultAnswer(flags);
  bool answered = false;
  if (!answers.empty()) {
    const UiAnswer& next = answers.front();
    const bool fits = !next.dialog && (!next.text || text::WildcardMatch(*next.text, text)) &&
                      (!next.caption || text::WildcardMatch(*next.caption, caption));
    if (fits && IsButtonOf(next.answer, flags)) {
      answer = next.answer;
      answered = true;
      answers.erase(answers.begin());
    } else if (fits) {
      // The program would be handed an answer no real box gives: the box
      // keeps its default and the journal names the script's mistake.
      entry["error"] = "the answer " + AnswerName(next.answer) + " is not a button of the box \"" + caption +
                       "\" (" + ButtonsName(flags) + "): " + text;
      answers.erase(answers.begin());
    } else {
      entry["expected"] = next.dialog ? "the " + *next.dialog + " dialog" : next.text.value_or(next.caption.value_or(""));
    }
  }
  entry["answer"] = AnswerName(answer);
  if (!answered) entry["unanswered"] = true;
  m_.Record(std::move(entry));
  return answer;
}

}  // namespace sim
