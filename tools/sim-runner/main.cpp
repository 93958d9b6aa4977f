// drvpurge on Linux: runs the uninstaller on a simulated machine loaded from a
// machine image, prints what it did, and can save the machine afterwards.
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/cunst_main.h"
#include "journal_summary.h"
#include "removal_report.h"
#include "runner_options.h"
#include "sim/machine.h"
#include "sim/message_box_text.h"
#include "terminal_ui.h"

namespace {

constexpr int kRunnerFailure = 2;

bool ReadFile(const std::string& path, std::string* contents) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  *contents = buffer.str();
  return !in.bad();
}

bool WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << contents;
  out.close();
  return static_cast<bool>(out);
}

int Run(const RunnerOptions& options) {
  std::string imageText;
  if (!ReadFile(options.machinePath, &imageText)) {
    std::cerr << "drvpurge: cannot read the machine image " << options.machinePath << "\n";
    return kRunnerFailure;
  }
  sim::LoadError loadError;
  std::unique_ptr<sim::Machine> machine = sim::Machine::FromText(imageText, &loadError);
  if (!machine) {
    std::cerr << "drvpurge: " << options.machinePath << " is not a usable machine image\n  at "
              << (loadError.path.empty() ? "(the whole document)" : loadError.path) << ": " << loadError.message
              << "\n";
    return kRunnerFailure;
  }

  const bool terminal = options.ui == UiChoice::Terminal || (options.ui == UiChoice::Auto && isatty(0));
  TerminalUi terminalUi(std::cin, std::cout, machine->platform().ui, [&machine](const AnsweredBox& box) {
    nlohmann::json entry = {{"event", "messageBox"},
                            {"text", box.text},
                            {"caption", box.caption},
                            {"icon", sim::IconName(box.flags)},
                            {"buttons", sim::ButtonsName(box.flags)},
                            {"answer", sim::AnswerName(box.answer)}};
    if (box.unanswered) entry["unanswered"] = true;
    machine->Record(std::move(entry));
  });
  plat::Platform terminalPlatform = machine->PlatformWithUi(terminalUi);
  plat::Platform& platform = terminal ? terminalPlatform : machine->platform();

  const std::size_t journalBefore = machine->journal().size();
  int exitCode = 0;
  std::ostringstream report;
  {
    CUnstMain app(platform);
    app.SetArguments(options.programArgs);
    app.InitInstance();
    exitCode = app.ExitInstance();
    PrintRemovalReport(app, report);
  }
  machine->Record({{"event", "exit"}, {"code", exitCode}});

  std::cout << "\n";
  PrintSummary(machine->journal(), journalBefore, std::cout);
  std::cout << report.str();

  // A scripted answer that fits no button of its box or dialog means the
  // image does not script this run; the run went on with the default.
  bool scriptFaults = false;
  const nlohmann::json& journal = machine->journal();
  for (std::size_t i = journalBefore; i < journal.size(); ++i) {
    const auto error = journal[i].find("error");
    const std::string event = journal[i].value("event", "");
    const bool scripted = event == "messageBox" || event == "wizard" || event == "waitForJobs" || event == "completion";
    if (!scripted || error == journal[i].end() || !error->is_string()) continue;
    std::cerr << "drvpurge: " << options.machinePath << ": " << error->get<std::string>() << "\n";
    scriptFaults = true;
  }

  if (!options.saveMachinePath.empty()) {
    if (!WriteFile(options.saveMachinePath, machine->Save().dump(2) + "\n")) {
      std::cerr << "drvpurge: cannot write " << options.saveMachinePath << "\n";
      return kRunnerFailure;
    }
    std::cout << "Machine saved to " << options.saveMachinePath << "\n";
  }
  return scriptFaults ? kRunnerFailure : exitCode;
}

}  // namespace

int main(int argc, char** argv) {
  RunnerOptions options;
  std::string error;
  if (!ParseRunnerOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &error)) {
    std::cerr << "drvpurge: " << error << "\n" << kRunnerUsage;
    return kRunnerFailure;
  }
  if (options.help) {
    std::cout << kRunnerUsage;
    return 0;
  }
  return Run(options);
}
