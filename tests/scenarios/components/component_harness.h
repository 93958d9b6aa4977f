// A component remover on a simulated machine built from an inline image, and
// the means to say what a removal took from the machine: the files and the
// registry keys and values that were there before and are gone after.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/cunst_main.h"
#include "components/component_remover.h"
#include "sim/machine.h"

namespace components_test {

using nlohmann::json;

struct Bench {
  std::unique_ptr<sim::Machine> machine;
  std::unique_ptr<CUnstMain> app;
  std::unique_ptr<ComponentRemover> remover;
  json before;

  plat::Platform& platform() { return machine->platform(); }
};

inline json StateOf(const sim::Machine& machine) {
  json state = machine.Save();
  state.erase("journal");
  return state;
}

inline Bench MakeBench(const json& image) {
  Bench b;
  sim::LoadError error;
  b.machine = sim::Machine::FromJson(image, &error);
  if (!b.machine) {
    ADD_FAILURE() << "image refused: " << error.ToString();
    return b;
  }
  b.app = std::make_unique<CUnstMain>(b.machine->platform());
  EXPECT_TRUE(b.platform().installLog.InitializeOle().ok());
  b.remover = std::make_unique<ComponentRemover>(b.app->Components());
  b.before = StateOf(*b.machine);
  return b;
}

inline std::vector<json> EventsOf(const sim::Machine& m, std::string_view event) {
  std::vector<json> out;
  for (const auto& e : m.journal())
    if (e.value("event", "") == event) out.push_back(e);
  return out;
}

// Names that an image's object holds before and not after.
inline std::set<std::string> Vanished(const json& before, const json& after) {
  std::set<std::string> gone;
  if (!before.is_object()) return gone;
  for (const auto& [name, unused] : before.items())
    if (!after.is_object() || !after.contains(name)) gone.insert(name);
  return gone;
}

// The files gone since the bench was made.
inline std::set<std::string> FilesGone(const Bench& b) {
  const json after = StateOf(*b.machine);
  return Vanished(b.before.value("files", json::object()), after.value("files", json::object()));
}

// The registry keys gone, and the values gone from keys that stay, each as
// "key" or "key|value".
inline std::set<std::string> RegistryGone(const Bench& b) {
  const json after = StateOf(*b.machine).value("registry", json::object());
  const json before = b.before.value("registry", json::object());
  std::set<std::string> gone = Vanished(before, after);
  for (const auto& [key, content] : before.items()) {
    if (!after.contains(key)) continue;
    for (const auto& value : Vanished(content.value("values", json::object()), after[key].value("values", json::object())))
      gone.insert(key + "|" + value);
  }
  return gone;
}

}  // namespace components_test
