// drvpurge on Linux: runs the uninstaller on a simulated machine loaded from a
// machine image, prints what it did, and can save the machine afterwards.
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/cunst_main.h"
#include "curses_ui.h"
#include "journal_summary.h"
#include "removal_report.h"
#include "runner_options.h"
#include "scripted_wizard.h"
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

// A scripted run is held to its script: an answer that fits no button of its
// box or dialog, an unknown label to tick, or an answer nobody asked for means
// the image does not script this run, so it must not pass as if it did.
bool ReportScriptFaults(sim::Machine& machine, std::size_t journalBefore, const std::string& imagePath) {
  bool faults = false;
  const nlohmann::json& journal = machine.journal();
  for (std::size_t i = journalBefore; i < journal.size(); ++i) {
    const auto error = journal[i].find("error");
    const std::string event = journal[i].value("event", "");
    const bool scripted = event == "messageBox" || event == "wizard" || event == "waitForJobs" || event == "completion";
    if (!scripted || error == journal[i].end() || !error->is_string()) continue;
    std::cerr << "drvpurge: " << imagePath << ": " << error->get<std::string>() << "\n";
    faults = true;
  }
  const nlohmann::json left = machine.Save()["ui"]["answers"];
  for (const nlohmann::json& answer : left) {
    std::cerr << "drvpurge: " << imagePath << ": the answer " << answer.dump() << " was never asked for\n";
    faults = true;
  }
  return faults;
}

// An interactive run whose wizard nobody answered ends as if cancelled.
bool NobodyAtTheWizard(const nlohmann::json& journal, std::size_t journalBefore) {
  for (std::size_t i = journalBefore; i < journal.size(); ++i) {
    if (journal[i].value("event", "") == "wizard" && journal[i].value("unanswered", false)) return true;
  }
  return false;
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

  const std::string noTerminal = WhyNoTerminal();
  if (options.ui == UiChoice::Terminal && !noTerminal.empty()) {
    std::cerr << "drvpurge: --ui terminal needs a terminal, and here " << noTerminal
              << ".\n  Run it in a terminal, or answer the boxes from standard input with --ui text.\n";
    return kRunnerFailure;
  }
  const UiChoice ui = options.ui != UiChoice::Auto ? options.ui
                      : noTerminal.empty()         ? UiChoice::Terminal
                                                   : UiChoice::Scripted;
  const auto record = [&machine](nlohmann::json entry) { machine->Record(std::move(entry)); };
  TerminalUi textUi(std::cin, std::cout, machine->platform().ui, [&record](const AnsweredBox& box) {
    nlohmann::json entry = {{"event", "messageBox"},
                            {"text", box.text},
                            {"caption", box.caption},
                            {"icon", sim::IconName(box.flags)},
                            {"buttons", sim::ButtonsName(box.flags)},
                            {"answer", sim::AnswerName(box.answer)}};
    if (box.unanswered) entry["unanswered"] = true;
    record(std::move(entry));
  });
  CursesUi cursesUi(machine->platform().ui, machine->platform().clock, record);
  plat::Platform textPlatform = machine->PlatformWithUi(textUi);
  plat::Platform cursesPlatform = machine->PlatformWithUi(cursesUi);
  plat::Platform& platform = ui == UiChoice::Terminal ? cursesPlatform
                             : ui == UiChoice::Text   ? textPlatform
                                                      : machine->platform();

  const std::size_t journalBefore = machine->journal().size();
  int exitCode = 0;
  bool rebootNeeded = false;
  std::ostringstream report;
  {
    CUnstMain app(platform);
    cursesUi.SetApplication(&app);
    machine->SetWizardTicker([&app](const std::vector<std::string>& labels) { return TickWizard(app, labels); });
    app.SetArguments(options.programArgs);
    app.InitInstance();
    exitCode = app.ExitInstance();
    PrintRemovalReport(app, report);
    rebootNeeded = app.deleter.rebootNeeded;
    machine->SetWizardTicker(nullptr);
  }
  cursesUi.Close();
  machine->Record({{"event", "exit"}, {"code", exitCode}});

  std::cout << "\n";
  PrintSummary(machine->journal(), journalBefore, std::cout);
  PrintRemoved(machine->journal(), journalBefore, std::cout);
  std::cout << report.str();
  std::cout << "Restart needed to finish: " << (rebootNeeded ? "yes" : "no") << "\n";

  const nlohmann::json& journal = machine->journal();
  const bool scriptFaults = ui == UiChoice::Scripted && ReportScriptFaults(*machine, journalBefore, options.machinePath);
  if (ui == UiChoice::Scripted && options.ui == UiChoice::Auto && !noTerminal.empty() &&
      NobodyAtTheWizard(journal, journalBefore)) {
    std::cerr << "drvpurge: the wizard had nobody to answer it: " << noTerminal
              << ".\n  Run it in a terminal with --ui terminal, add /S for a silent run, or script the wizard "
                 "in the image's \"ui\" answers.\n";
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
