// A simulated machine with printers and drivers, and the application object
// whose printing inventory the tests drive step by step.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/cunst_main.h"
#include "sim/machine.h"

namespace printing_test {

using nlohmann::json;

inline const char kModelList[] = "C:\\Program Files\\BREVIK\\Install\\Drivers.ini";

// A machine of the given Windows with the Program Files directory set.
inline json Image(const char* os) {
  return json{
      {"os", os},
      {"registry",
       {{"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", {{"values", {{"ProgramFilesDir", "C:\\Program Files"}}}}}}},
  };
}

inline json Driver(const std::string& name, const std::string& environment, int version, const std::string& path) {
  return json{{"name", name}, {"environment", environment}, {"version", version}, {"driverPath", path}};
}

inline json Printer(const std::string& name, const std::string& driver, const std::string& port = "LPT1:") {
  return json{{"name", name}, {"driver", driver}, {"port", port}};
}

inline void AddDrivers(json& image, const std::vector<json>& drivers) {
  for (const json& d : drivers) image["drivers"].push_back(d);
}

// Another maker's driver for the running Windows, for printers whose driver
// does not matter.
inline void AddForeignDriver(json& image, const std::string& name) {
  image["drivers"].push_back({{"name", name}, {"driverPath", "unidrv.dll"}});
}

inline void AddPrinters(json& image, const std::vector<json>& printers) {
  for (const json& p : printers) image["printers"].push_back(p);
}

inline void AddFile(json& image, const std::string& path, const std::string& content) {
  image["files"][path] = {{"content", content}};
}

inline void AddKey(json& image, const std::string& path, json values) {
  image["registry"][path] = {{"values", std::move(values)}};
}

// The application object on a machine; nothing runs until the test asks.
struct Inventory {
  std::unique_ptr<sim::Machine> machine;
  std::unique_ptr<CUnstMain> app;

  explicit Inventory(const json& image) {
    sim::LoadError error;
    machine = sim::Machine::FromJson(image, &error);
    if (!machine) {
      ADD_FAILURE() << "image refused: " << error.ToString();
      return;
    }
    app = std::make_unique<CUnstMain>(machine->platform());
  }

  // Start-up's order: drivers, the maker's sets, printers, attachment, orphans.
  void TakeAll() {
    app->drivers.Build();
    app->drivers.RecognizeMakerSets(kModelList);
    app->printers.Build();
    app->drivers.AttachPrinters(app->printers);
    app->drivers.CollectOrphanDrivers(app->orphanDrivers);
  }

  std::vector<std::string> SetNames() const {
    std::vector<std::string> names;
    for (const auto& set : app->drivers) names.push_back(set->GetName());
    return names;
  }
};

// "ROOT\path" of each request, "tree"/"empty"/"subkey" telling its form.
inline std::vector<std::string> Describe(const std::vector<RegRemoval>& removals) {
  std::vector<std::string> out;
  for (const RegRemoval& r : removals) {
    std::string form = r.subkeyName.empty() ? (r.onlyIfEmpty ? "empty " : "tree ") : "subkey ";
    out.push_back(form + plat::RootName(r.root) + "\\" + r.keyPath +
                  (r.subkeyName.empty() ? "" : "\\" + r.subkeyName));
  }
  return out;
}

}  // namespace printing_test
