// The runner's own options, and the program switches it passes on.
#pragma once
#include <string>
#include <vector>

enum class UiChoice { Auto, Terminal, Text, Scripted };

struct RunnerOptions {
  std::string machinePath;
  std::string saveMachinePath;  // empty: the machine is not saved
  UiChoice ui = UiChoice::Auto;
  bool help = false;
  std::vector<std::string> programArgs;
};

// False with `error` set when the command line cannot be used. Runner options
// start with "--" and may stand anywhere; "--" ends them, and every other
// argument belongs to the program.
bool ParseRunnerOptions(const std::vector<std::string>& args, RunnerOptions* options, std::string* error);

extern const char kRunnerUsage[];
