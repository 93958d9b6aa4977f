// A removal run on a simulated machine: the application object with the
// printing inventory taken as start-up takes it, components added by the
// test, and the journal of what the run showed and did.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/cunst_main.h"
#include "platform/text.h"
#include "sim/machine.h"

namespace run_test {

using nlohmann::json;

inline const char kInstallDir[] = "C:\\Program Files\\BREVIK\\Install";
inline const char kProgram[] = "C:\\Program Files\\BREVIK\\Install\\drvpurge.exe";
inline const char kVersionsIni[] = "C:\\Program Files\\BREVIK\\versions.ini";

// The uninstaller installed on a machine of the given Windows, and nothing
// of the maker's besides.
inline json Image(const char* os) {
  return json{
      {"os", os},
      {"program", kProgram},
      {"files", {{kProgram, json::object()}}},
      {"registry",
       {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", {{"values", {{"ProgramFilesDir", "C:\\Program Files"}}}}}}},
      // The uninstaller's own installer logs the program.
      {"installLog", {{"components", {{"UninstallerBREVIK", {{"files", {kProgram}}}}}}}},
  };
}

// Answers for the scripted dialogs and boxes, in the order they are shown.
inline json Dialog(const char* dialog, const char* answer) { return json{{"dialog", dialog}, {"answer", answer}}; }

inline void SetAnswers(json& image, json answers) { image["ui"] = {{"answers", std::move(answers)}}; }

struct RemovalRun {
  std::unique_ptr<sim::Machine> machine;
  std::unique_ptr<CUnstMain> app;
  std::size_t journalStart = 0;

  explicit RemovalRun(const json& image) {
    sim::LoadError error;
    machine = sim::Machine::FromJson(image, &error);
    if (!machine) throw std::runtime_error("image refused: " + error.ToString());
    app = std::make_unique<CUnstMain>(machine->platform());
    journalStart = machine->journal().size();
  }

  // Start-up's inventory, with the named driver sets taken as the maker's.
  void TakeInventory(const std::vector<std::string>& makerSets) {
    app->drivers.Build();
    app->printers.Build();
    for (const std::string& name : makerSets) {
      if (CPrinterDriverSet* set = app->drivers.FindSet(name)) {
        set->isMaker = true;
      } else {
        ADD_FAILURE() << "no driver set " << name;
      }
    }
    app->drivers.AttachPrinters(app->printers);
    app->drivers.CollectOrphanDrivers(app->orphanDrivers);
  }

  void SelectPrinter(const std::string& name) {
    if (CPrinter* printer = app->printers.FindByName(name)) {
      printer->selected = true;
    } else {
      ADD_FAILURE() << "no printer " << name;
    }
  }

  // A component as the catalogue would add it; the tree is built again.
  void AddComponent(const std::string& key, const std::string& parentKey, bool selected) {
    const int i = app->items.Add(key, parentKey, "Section", key, 1);
    app->items[i].selected = selected;
    app->BuildComponentTree();
  }

  std::vector<json> Events(const std::string& name) const {
    std::vector<json> out;
    const json& all = machine->journal();
    for (std::size_t i = journalStart; i < all.size(); ++i) {
      if (all[i].value("event", "") == name) out.push_back(all[i]);
    }
    return out;
  }

  // The status lines the progress dialog showed, in order.
  std::vector<std::string> StatusTexts() const {
    std::vector<std::string> out;
    for (const json& e : Events("status"))
      if (e.contains("text")) out.push_back(e["text"].get<std::string>());
    return out;
  }

  std::vector<std::string> Paths(const std::string& event, const char* field = "path") const {
    std::vector<std::string> out;
    for (const json& e : Events(event)) out.push_back(e[field].get<std::string>());
    return out;
  }

  // Every journalled mistake of the script or of the run's messages.
  void ExpectNoScriptErrors() const {
    const json& all = machine->journal();
    for (std::size_t i = journalStart; i < all.size(); ++i)
      if (all[i].value("event", "") != "fault" && all[i].contains("error") && all[i]["error"].is_string())
        ADD_FAILURE() << all[i]["error"].get<std::string>() << " in " << all[i].dump();
  }
};

}  // namespace run_test
