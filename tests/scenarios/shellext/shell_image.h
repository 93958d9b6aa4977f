// A simulated machine for the extension, built from an inline image, and the
// pieces a test hands the extension: the "PrinterFriendlyName" block and one
// CShellExt's logic with its module state.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "module_state.h"
#include "platform/text.h"
#include "shell_extension.h"
#include "simshell/shell_machine.h"

inline std::unique_ptr<sim::shell::ShellMachine> LoadShellMachine(std::string_view image) {
  sim::LoadError error;
  auto m = sim::shell::ShellMachine::FromText(image, &error);
  EXPECT_NE(m, nullptr) << error.ToString();
  return m;
}

inline std::vector<nlohmann::json> EventsOf(sim::shell::ShellMachine& m, std::string_view event) {
  std::vector<nlohmann::json> out;
  for (const auto& e : m.machine().journal())
    if (e.value("event", "") == event) out.push_back(e);
  return out;
}

// The block a data object hands over: the offset, then the names and the
// empty name that ends them, UTF-16 or ANSI.
inline std::vector<std::uint8_t> NameBlock(const std::vector<std::string>& names, bool wide) {
  std::vector<std::uint8_t> b{4, 0, 0, 0};
  auto put = [&](std::string_view s) {
    if (wide) {
      for (const char16_t c : text::Utf8ToUtf16(s)) {
        b.push_back(static_cast<std::uint8_t>(c & 0xFF));
        b.push_back(static_cast<std::uint8_t>(c >> 8));
      }
      b.push_back(0);
      b.push_back(0);
    } else {
      b.insert(b.end(), s.begin(), s.end());
      b.push_back(0);
    }
  };
  for (const auto& n : names) put(n);
  put("");
  return b;
}

// One extension object on a machine, as the shell uses it.
struct ShellSession {
  std::unique_ptr<sim::shell::ShellMachine> machine;
  shellext::ModuleState module;
  std::unique_ptr<shellext::ShellExtension> ext;

  explicit ShellSession(std::string_view image) : machine(LoadShellMachine(image)) {
    if (!machine) return;
    const auto& p = machine->platform();
    module = shellext::AttachModule(p.osInfo, p.security);
    ext = std::make_unique<shellext::ShellExtension>(p, module);
  }
  bool ok() const { return ext != nullptr; }

  shellext::HResult Select(const std::vector<std::string>& names) {
    const shellext::FriendlyNameData data{shellext::kSOk, NameBlock(names, module.IsNT())};
    return ext->Initialize(&data);
  }
  shellext::MenuPlan Menu(std::uint32_t index = 0, std::uint32_t first = 100) {
    return ext->QueryContextMenu(index, first);
  }
};

// The offsets of a plan's items, and its shape as text ("-" a separator,
// else the offset): "-2-5".
inline std::string Shape(const shellext::MenuPlan& plan) {
  std::string s;
  for (const auto& e : plan.entries) s += e.separator ? std::string("-") : std::to_string(e.item->offset);
  return s;
}

// A machine with every uninstaller registered and on disk, the profile
// library found by its bare name, an administrator, and no printers yet.
inline nlohmann::json ShellImage(std::string_view os = "winxp") {
  nlohmann::json values = nlohmann::json::object();
  nlohmann::json files = nlohmann::json::object();
  for (const auto& item : shellext::kMenuItems) {
    if (item.registryValue.empty()) continue;
    const std::string path = "C:\\Uninst\\" + std::string(item.registryValue) + ".exe";
    values[std::string(item.registryValue)] = path;
    files[path] = nlohmann::json::object();
  }
  nlohmann::json image = {{"os", std::string(os)},
          {"drivers", nlohmann::json::array()},
          {"printers", nlohmann::json::array()},
          {"files", files},
          {"registry", {{"HKLM\\SOFTWARE\\Vorkast\\Uninstall", {{"values", values}}}}},
          {"profileLibrary", {{"loadsFrom", {"VORCFI.DLL"}}, {"printers", nlohmann::json::object()}}}};
  // An administrator whose token lists Administrators before Users.
  if (os != "win98")
    image["token"] = {{"user", "S-1-5-21-1-2-3-1000"},
                      {"process", {"S-1-5-21-1-2-3-513", "S-1-1-0", "S-1-5-32-544", "S-1-5-32-545"}}};
  return image;
}

// A local printer with a driver of its own and what the library says of it.
inline void AddPrinter(nlohmann::json& image, std::string_view name, std::string_view driver,
                       nlohmann::json support = {{"capabilities", 3}, {"family", 2}}) {
  bool known = false;
  for (const auto& d : image["drivers"]) known = known || d["name"] == driver;
  if (!known) image["drivers"].push_back({{"name", std::string(driver)}, {"helpFile", "VKHELP.HLP"}});
  image["printers"].push_back({{"name", std::string(name)}, {"driver", std::string(driver)}});
  if (!support.is_null()) image["profileLibrary"]["printers"][std::string(name)] = support;
}
