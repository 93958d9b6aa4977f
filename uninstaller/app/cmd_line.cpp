#include "app/cmd_line.h"

#include "platform/text.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

int ParseRebootMode(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size() && IsBlank(value[i])) ++i;
  int sign = 1;
  if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
    if (value[i] == '-') sign = -1;
    ++i;
  }
  // Only -1, 0 and 1 survive, so the magnitude is capped at 2 instead of being
  // accumulated: a long digit string cannot overflow into a valid mode.
  int magnitude = 0;
  for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (value[i] - '0');
    if (magnitude > 2) magnitude = 2;
  }
  const int mode = sign * magnitude;
  return (mode < -1 || mode > 1) ? 0 : mode;
}

void CCmdLine::ParseParam(std::string_view param, bool isFlag, bool /*isLast*/) {
  if (!isFlag || param.empty()) return;

  // Split at the first colon only, so "I:C:\dir\a.ini" keeps its drive letter.
  // A colon in first position leaves no name to split off.
  std::string_view name = param;
  std::string_view value;
  const auto colon = param.find(':');
  if (colon != std::string_view::npos && colon > 0) {
    name = param.substr(0, colon);
    value = param.substr(colon + 1);
  }

  if (text::IEquals(name, "S")) {
    silent = true;
  } else if (text::IEquals(name, "I")) {
    scriptFile = std::string(value);
  } else if (text::IEquals(name, "R")) {
    rebootMode = ParseRebootMode(value);
  } else if (text::IEquals(name, "ALL")) {
    removeAll = true;
  } else if (text::IEquals(name, "B")) {
    backButton = true;
  }
}

void CCmdLine::Parse(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    const bool isFlag = !arg.empty() && (arg.front() == '/' || arg.front() == '-');
    if (isFlag) arg.remove_prefix(1);
    ParseParam(arg, isFlag, i + 1 == args.size());
  }
}
