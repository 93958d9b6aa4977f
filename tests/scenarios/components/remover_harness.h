// One component remover on a simulated machine, built as the removal run
// builds it, with what the tests read back: the commands started, the
// records the install log dropped and what is left of files and values.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../app/run_harness.h"
#include "components/component_remover.h"
#include "system/registry_helpers.h"

namespace remover_test {

using nlohmann::json;

struct RemoverRun : run_test::RemovalRun {
  std::unique_ptr<ComponentRemover> remover;

  explicit RemoverRun(const json& image) : RemovalRun(image) {
    TakeInventory({});
    static_cast<void>(platform().installLog.InitializeOle());
    remover = std::make_unique<ComponentRemover>(app->Components());
    journalStart = machine->journal().size();
  }

  plat::Platform& platform() { return machine->platform(); }

  std::vector<std::string> Commands() const { return Paths("commandRun", "commandLine"); }
  std::vector<std::string> Forgotten() const { return Paths("logForget", "key"); }

  bool Exists(const std::string& path) { return platform().files.Exists(path); }

  std::optional<std::string> Value(plat::HKey root, const std::string& key, const std::string& name) {
    return RegGetString(platform().registry, root, key, name);
  }
};

// A machine of the given Windows with the install log's records and the
// files and registry keys the test names.
inline json Machine(const char* os, json components, json files = json::object(), json registry = json::object()) {
  json image = run_test::Image(os);
  image["installLog"] = {{"components", std::move(components)}};
  for (auto& [path, file] : files.items()) image["files"][path] = file;
  for (auto& [key, value] : registry.items()) image["registry"][key] = value;
  return image;
}

inline json Fault(const char* call, const char* error, const std::string& match) {
  return json{{"call", call}, {"error", error}, {"match", match}};
}

}  // namespace remover_test
