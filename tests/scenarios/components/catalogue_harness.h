// Machines whose install log holds chosen components, and the catalogue that
// start-up's detection finds on them.
#pragma once
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "startup_harness.h"

namespace catalogue_test {

using startup_test::json;

// Every string the catalogue asks the resource library for.
inline const std::vector<int> kStringIds = {12,  9,   481, 279, 345, 350, 365, 366, 367, 368, 369, 375, 16, 18,
                                            34,  35,  48,  47,  46,  37,  38,  33,  49,  39,  40,  242, 377, 19,
                                            276};

inline std::string NameOf(int id) { return "Text " + std::to_string(id); }

// The start-up machine with `keys` logged as installed and every catalogue
// string in the library.
inline json MachineWith(const std::vector<std::string>& keys) {
  json image = startup_test::BaseImage();
  json strings = json::object();
  for (int id : kStringIds) strings[std::to_string(id)] = NameOf(id);
  image["resourceLibraries"][std::string(startup_test::kInstallDir) + "\\SETUPUI.DLL"]["strings"] = strings;
  json components = json::object();
  for (const std::string& key : keys) components[key] = json::object();
  image["installLog"] = {{"components", components}};
  return image;
}

inline void SetIntranetClientDir(json& image, const std::string& dir) {
  image["registry"]["HKLM\\Software\\Vorkast\\Kestrion for Intranets"] = {{"values", {{"Install_Dir", dir}}}};
}

// Detection as start-up runs it, with the resource library current.
inline UnstItemArray Detect(const json& image, std::optional<std::size_t>* count = nullptr) {
  sim::LoadError error;
  auto machine = sim::Machine::FromJson(image, &error);
  if (!machine) {
    ADD_FAILURE() << "image refused: " << error.ToString();
    return {};
  }
  CUnstMain app(machine->platform());
  // The application frees the library when it goes.
  app.resourceDll = app.LoadResourceDll();
  app.resourceHandle = app.resourceDll;
  const std::optional<std::size_t> found = app.DetectComponents();
  if (count) *count = found;
  return app.items;
}

inline std::vector<std::string> KeysOf(const UnstItemArray& items) {
  std::vector<std::string> keys;
  for (const UnstItem& item : items) keys.push_back(item.key);
  return keys;
}

}  // namespace catalogue_test
