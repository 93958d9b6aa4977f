#include "sim/message_box_text.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/text.h"
#include "platform/ui.h"

namespace sim {

namespace {
struct AnswerEntry {
  int id;
  const char* name;
};
constexpr std::array kAnswers = {
    AnswerEntry{1, "IDOK"},    AnswerEntry{2, "IDCANCEL"}, AnswerEntry{3, "IDABORT"}, AnswerEntry{4, "IDRETRY"},
    AnswerEntry{5, "IDIGNORE"}, AnswerEntry{6, "IDYES"},   AnswerEntry{7, "IDNO"},
};
}  // namespace

std::string IconName(std::uint32_t flags) {
  switch (flags & plat::mb::IconMask) {
    case plat::mb::IconError: return "error";
    case plat::mb::IconQuestion: return "question";
    case plat::mb::IconWarning: return "warning";
    case plat::mb::IconInformation: return "information";
    default: return "none";
  }
}

std::string ButtonsName(std::uint32_t flags) {
  switch (flags & plat::mb::ButtonMask) {
    case 0: return "ok";
    case 1: return "okcancel";
    case 2: return "abortretryignore";
    case 3: return "yesnocancel";
    case 4: return "yesno";
    case 5: return "retrycancel";
    default: return "buttons" + std::to_string(flags & plat::mb::ButtonMask);
  }
}

std::string AnswerName(int answer) {
  if (answer == plat::kWizardBack) return "BACK";
  for (const auto& a : kAnswers)
    if (a.id == answer) return a.name;
  return "ID" + std::to_string(answer);
}

std::optional<int> AnswerFromName(std::string_view name) {
  // The wizard's Back on its first page is no message box answer.
  if (text::IEquals(name, "BACK")) return plat::kWizardBack;
  for (const auto& a : kAnswers)
    if (text::IEquals(name, a.name) || text::IEquals(name, std::string_view(a.name).substr(2))) return a.id;
  int value = 0;
  const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), value);
  if (ec == std::errc() && end == name.data() + name.size() && !name.empty()) return value;
  return std::nullopt;
}

int DefaultAnswer(std::uint32_t flags) {
  switch (flags & plat::mb::ButtonMask) {
    case plat::mb::Ok: return plat::mb::IdOk;
    case plat::mb::YesNo: return plat::mb::IdNo;
    default: return plat::mb::IdCancel;
  }
}

bool IsButtonOf(int answer, std::uint32_t flags) {
  constexpr int kAbort = 3, kRetry = 4, kIgnore = 5;
  const auto either = [answer](std::initializer_list<int> ids) {
    return std::find(ids.begin(), ids.end(), answer) != ids.end();
  };
  switch (flags & plat::mb::ButtonMask) {
    case plat::mb::Ok: return answer == plat::mb::IdOk;
    case plat::mb::OkCancel: return either({plat::mb::IdOk, plat::mb::IdCancel});
    case 2: return either({kAbort, kRetry, kIgnore});
    case plat::mb::YesNoCancel: return either({plat::mb::IdYes, plat::mb::IdNo, plat::mb::IdCancel});
    case plat::mb::YesNo: return either({plat::mb::IdYes, plat::mb::IdNo});
    case 5: return either({kRetry, plat::mb::IdCancel});
    default: return true;
  }
}

}  // namespace sim
