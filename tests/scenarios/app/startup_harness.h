// Runs the uninstaller's start-up on a simulated machine built from an inline
// image, and hands back what the run left in the journal.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/cunst_main.h"
#include "sim/machine.h"

namespace startup_test {

using nlohmann::json;

inline const char kInstallDir[] = "C:\\Program Files\\BREVIK\\Install";

// An administrator on Windows XP with the uninstaller and its resource
// library installed, and nothing of the maker's besides.
inline json BaseImage() {
  const std::string dll = std::string(kInstallDir) + "\\SETUPUI.DLL";
  return json{
      {"os", "winxp"},
      {"token",
       {{"user", "S-1-5-21-1-2-3-500"},
        {"thread", nullptr},
        {"process", {"S-1-5-21-1-2-3-513", "S-1-1-0", "S-1-5-32-544", "S-1-5-32-545"}}}},
      {"program", std::string(kInstallDir) + "\\drvpurge.exe"},
      {"files", {{dll, json::object()}}},
      {"resourceLibraries", {{dll, {{"strings", {{"9", "Status Monitor"}}}}}}},
      {"registry",
       {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", {{"values", {{"ProgramFilesDir", "C:\\Program Files"}}}}}}},
      // The uninstaller's own installer logs the program.
      {"installLog",
       {{"components", {{"UninstallerBREVIK", {{"files", {std::string(kInstallDir) + "\\drvpurge.exe"}}}}}}}},
  };
}

struct RunResult {
  int exitCode = -1;
  json journal;  // this run's events only
  std::unique_ptr<sim::Machine> machine;
  std::unique_ptr<CUnstMain> app;

  std::vector<json> Events(const std::string& name) const {
    std::vector<json> out;
    for (const json& e : journal) {
      if (e.value("event", "") == name) out.push_back(e);
    }
    return out;
  }
  std::vector<json> MessageBoxes() const { return Events("messageBox"); }
};

inline RunResult RunStartup(const json& image, std::vector<std::string> args) {
  RunResult r;
  sim::LoadError error;
  r.machine = sim::Machine::FromJson(image, &error);
  if (!r.machine) {
    ADD_FAILURE() << "image refused: " << error.ToString();
    return r;
  }
  const std::size_t before = r.machine->journal().size();
  r.app = std::make_unique<CUnstMain>(r.machine->platform());
  r.app->SetArguments(std::move(args));
  EXPECT_FALSE(r.app->InitInstance());
  r.exitCode = r.app->ExitInstance();
  r.journal = json::array();
  const json& all = r.machine->journal();
  for (std::size_t i = before; i < all.size(); ++i) r.journal.push_back(all[i]);
  // A scripted answer that fits no button of its box is a fault of the test.
  for (const json& box : r.MessageBoxes())
    if (box.contains("error")) ADD_FAILURE() << box["error"].get<std::string>();
  return r;
}

// The machine as saved, without the journal: what a run changed on it.
inline json StateOf(const sim::Machine& machine) {
  json state = machine.Save();
  state.erase("journal");
  state.erase("ui");  // answers used up are not a change to the machine
  return state;
}

}  // namespace startup_test
