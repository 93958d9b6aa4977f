// Names for the parts of a message box (icon, buttons, answer), shared by the
// journal of the simulated machine and the terminal front end, so both
// describe a box in the same words.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

// "error", "question", "warning", "information" or "none".
std::string IconName(std::uint32_t flags);
// "ok", "okcancel", "abortretryignore", "yesnocancel", "yesno", "retrycancel".
std::string ButtonsName(std::uint32_t flags);
// "IDOK", "IDYES"..., "BACK" for the wizard's Back; unknown numbers print
// as "ID<n>".
std::string AnswerName(int answer);
// Accepts "IDYES", "yes" (any case), a decimal number, or "BACK" for the
// wizard's Back button.
std::optional<int> AnswerFromName(std::string_view name);
// The answer a box gets when nobody answers it: IDOK for an OK box, IDNO for
// yes/no boxes, IDCANCEL otherwise.
int DefaultAnswer(std::uint32_t flags);
// Whether a box with these flags has a button that gives `answer` (any answer
// for a button set not named above).
bool IsButtonOf(int answer, std::uint32_t flags);

}  // namespace sim
