// The uninstaller's command line: five switches, each "/NAME" or "-NAME",
// optionally followed by ":value".
#pragma once
#include <string>
#include <string_view>
#include <vector>

class CCmdLine {
 public:
  bool silent = false;      // S
  int rebootMode = 0;       // R: 1 restart at once, -1 ask, 0 do not restart
  bool removeAll = false;   // ALL
  bool backButton = false;  // B
  std::string scriptFile;   // I

  // Called once per argument. `isFlag` is true when the argument began with
  // '/' or '-', which the caller has already removed.
  void ParseParam(std::string_view param, bool isFlag, bool isLast);

  // Splits off the flag character of each argument and calls ParseParam, the
  // way the C runtime's argument vector reaches the application.
  void Parse(const std::vector<std::string>& args);
};

// The value of R as the C runtime's atoi reads it, limited to -1, 0 and 1:
// anything else (including values too large to represent) means "do not
// restart", which is the safe reading of a mistyped switch.
int ParseRebootMode(std::string_view value);
