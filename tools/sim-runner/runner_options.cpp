#include "runner_options.h"

const char kRunnerUsage[] =
    "usage: drvpurge --machine IMAGE [--save-machine OUT] [--ui terminal|text|scripted] [switches...]\n"
    "  --machine IMAGE       machine image (JSON) to run on\n"
    "  --save-machine OUT    write the machine as it is afterwards, with its journal, to OUT\n"
    "  --ui terminal         the wizard and every dialog full-screen on this terminal\n"
    "  --ui text             message boxes as lines of text, answers read from standard input\n"
    "  --ui scripted         answer message boxes from the image's \"ui\" answers\n"
    "                        (default: terminal when on a terminal, else scripted)\n"
    "  --                    pass every later argument to the program\n"
    "  switches              the program's own: /S  /I:script  /R:n  /ALL  /B  (with / or -)\n";

namespace {

// "--name=value" or "--name value".
bool TakeValue(const std::vector<std::string>& args, std::size_t* i, const std::string& name,
               const std::string& inlineValue, bool hasInline, std::string* value, std::string* error) {
  if (hasInline) {
    *value = inlineValue;
  } else if (*i + 1 < args.size()) {
    *value = args[++*i];
  } else {
    *error = name + " needs a value";
    return false;
  }
  if (value->empty()) {
    *error = name + " needs a value";
    return false;
  }
  return true;
}

}  // namespace

bool ParseRunnerOptions(const std::vector<std::string>& args, RunnerOptions* options, std::string* error) {
  *options = RunnerOptions{};
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.rfind("--", 0) != 0) {
      options->programArgs.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const auto eq = arg.find('=');
    const std::string name = arg.substr(0, eq);
    const bool hasInline = eq != std::string::npos;
    const std::string inlineValue = hasInline ? arg.substr(eq + 1) : std::string();

    if (name == "--help") {
      options->help = true;
    } else if (name == "--machine") {
      if (!TakeValue(args, &i, name, inlineValue, hasInline, &options->machinePath, error)) return false;
    } else if (name == "--save-machine") {
      if (!TakeValue(args, &i, name, inlineValue, hasInline, &options->saveMachinePath, error)) return false;
    } else if (name == "--ui") {
      std::string ui;
      if (!TakeValue(args, &i, name, inlineValue, hasInline, &ui, error)) return false;
      if (ui == "terminal") {
        options->ui = UiChoice::Terminal;
      } else if (ui == "text") {
        options->ui = UiChoice::Text;
      } else if (ui == "scripted") {
        options->ui = UiChoice::Scripted;
      } else {
        *error = "--ui must be terminal, text or scripted, not \"" + ui + "\"";
        return false;
      }
    } else {
      *error = "unknown option " + name + " (program switches start with / or a single -)";
      return false;
    }
  }
  if (!options->help && options->machinePath.empty()) {
    *error = "--machine IMAGE is required";
    return false;
  }
  return true;
}
