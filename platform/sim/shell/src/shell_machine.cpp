#include "simshell/shell_machine.h"

#include <algorithm>
#include <utility>

namespace sim::shell {
namespace {

constexpr int kMaxNesting = 64;

class SimProfileLibrary final : public plat::shell::ProfileLibrary {
 public:
  SimProfileLibrary(Machine& m, ProfileLibrarySetup setup) : m_(m), setup_(std::move(setup)) {}

  plat::WinError Load(std::string_view nameOrPath, plat::Handle* module) override {
    const bool found = std::any_of(setup_.loadsFrom.begin(), setup_.loadsFrom.end(),
                                   [&](const std::string& p) { return text::IEquals(p, nameOrPath); });
    m_.Record({{"event", "libraryLoad"}, {"path", std::string(nameOrPath)}, {"loaded", found}});
    if (!found) return winerr::ModNotFound;
    ++loaded_;
    *module = ++nextModule_;
    return winerr::Success;
  }
  void Close(plat::Handle) override { --loaded_; }
  bool HasEntry(plat::Handle, std::string_view entry) override {
    return std::find(setup_.exports.begin(), setup_.exports.end(), entry) != setup_.exports.end();
  }

  std::uint32_t EnumSpecificSupportedPrinter(plat::Handle, std::string_view printerName,
                                             plat::shell::SupportCallback callback,
                                             plat::shell::SupportResult* context) override {
    const auto it = setup_.printers.find(printerName);
    const std::uint32_t answer = it == setup_.printers.end() ? 1 : it->second.answer;
    m_.Record({{"event", "profileQuery"}, {"printer", std::string(printerName)}, {"answer", answer}});
    if (answer != 0) return answer;
    const auto& s = it->second;
    const plat::shell::SupportInfo info{s.version, s.capabilities, s.familyCode};
    if (s.callback == "normal") callback(context, &info);
    if (s.callback == "nullInfo") callback(context, nullptr);
    if (s.callback == "nullContext") callback(nullptr, &info);
    return 0;
  }

  std::uint32_t DrvProfileWizard(plat::Handle, const plat::shell::WizardRequest& r) override {
    m_.Record({{"event", "profileWizard"},
               {"printer", r.printerName},
               {"helpFile", r.helpFile},
               {"window", r.ownerWindow},
               {"mode", r.mode}});
    return setup_.wizardAnswer;
  }
  std::uint32_t CFIRenamePrtObj(plat::Handle, std::string_view newName, std::string_view oldName) override {
    m_.Record({{"event", "profileRename"},
               {"newName", std::string(newName)},
               {"oldName", std::string(oldName)},
               {"answer", setup_.renameAnswer}});
    return setup_.renameAnswer;
  }

  int loaded() const { return loaded_; }

 private:
  Machine& m_;
  ProfileLibrarySetup setup_;
  int loaded_ = 0;
  plat::Handle nextModule_ = 0x10000000;
};

class SimLauncher final : public plat::shell::Launcher {
 public:
  explicit SimLauncher(Machine& m) : m_(m) {}
  plat::WinError Start(std::string_view commandLine, std::uint32_t flags, std::uint32_t show) override {
    // CreateProcess takes the quoted part as the program; an unquoted line
    // is tried at each space in turn, so "C:\\Program Files\\x.exe" works.
    bool started = false;
    if (!commandLine.empty() && commandLine.front() == '"') {
      const auto end = commandLine.find('"', 1);
      started = end != std::string_view::npos && m_.platform().files.Exists(commandLine.substr(1, end - 1));
    } else {
      for (std::size_t at = 0; !started && at != std::string_view::npos;) {
        at = commandLine.find(' ', at + 1);
        started = m_.platform().files.Exists(commandLine.substr(0, at));
      }
    }
    m_.Record({{"event", "processStarted"},
               {"commandLine", std::string(commandLine)},
               {"flags", flags},
               {"show", show},
               {"started", started}});
    return started ? winerr::Success : winerr::FileNotFound;
  }

 private:
  Machine& m_;
};

class SimTrace final : public plat::shell::Trace {
 public:
  explicit SimTrace(Machine& m) : m_(m) {}
  void Write(std::string_view text) override { m_.Record({{"event", "trace"}, {"text", std::string(text)}}); }

 private:
  Machine& m_;
};

bool Fail(LoadError* error, std::string path, std::string message) {
  if (error) *error = LoadError{std::move(path), std::move(message)};
  return false;
}

bool ReadNumber(const nlohmann::json& j, const std::string& path, std::uint32_t* out, LoadError* error) {
  if (!j.is_number_unsigned()) return Fail(error, path, "expected a number from 0 to 4294967295");
  const auto v = j.get<std::uint64_t>();
  if (v > 0xFFFFFFFFu) return Fail(error, path, "expected a number from 0 to 4294967295");
  *out = static_cast<std::uint32_t>(v);
  return true;
}

bool ReadNames(const nlohmann::json& j, const std::string& path, std::vector<std::string>* out, LoadError* error) {
  if (!j.is_array()) return Fail(error, path, "expected a list of names");
  out->clear();
  for (std::size_t i = 0; i < j.size(); ++i) {
    if (!j[i].is_string()) return Fail(error, path + "/" + std::to_string(i), "expected a string");
    out->push_back(j[i].get<std::string>());
  }
  return true;
}

bool ReadPrinter(const nlohmann::json& j, const std::string& path, PrinterSupport* out, LoadError* error) {
  if (!j.is_object()) return Fail(error, path, "expected an object");
  for (const auto& [key, value] : j.items()) {
    const std::string at = path + "/" + key;
    if (key == "answer") {
      if (!ReadNumber(value, at, &out->answer, error)) return false;
    } else if (key == "version") {
      if (!ReadNumber(value, at, &out->version, error)) return false;
    } else if (key == "capabilities") {
      if (!ReadNumber(value, at, &out->capabilities, error)) return false;
    } else if (key == "family") {
      if (!ReadNumber(value, at, &out->familyCode, error)) return false;
    } else if (key == "callback") {
      static const std::vector<std::string> kinds{"normal", "nullInfo", "nullContext", "none"};
      if (!value.is_string() || std::find(kinds.begin(), kinds.end(), value.get<std::string>()) == kinds.end())
        return Fail(error, at, "expected \"normal\", \"nullInfo\", \"nullContext\" or \"none\"");
      out->callback = value.get<std::string>();
    } else {
      return Fail(error, at, "unknown member");
    }
  }
  return true;
}

int Depth(std::string_view text) {
  int depth = 0, deepest = 0;
  bool inString = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      deepest = std::max(deepest, ++depth);
    } else if (c == '}' || c == ']') {
      --depth;
    }
  }
  return deepest;
}

}  // namespace

struct ShellMachine::Ports {
  SimProfileLibrary library;
  SimLauncher launcher;
  SimTrace trace;
};

ShellMachine::~ShellMachine() = default;

bool ParseProfileLibrary(const nlohmann::json& section, ProfileLibrarySetup* out, LoadError* error) {
  const std::string base = "/profileLibrary";
  if (!section.is_object()) return Fail(error, base, "expected an object");
  for (const auto& [key, value] : section.items()) {
    const std::string at = base + "/" + key;
    if (key == "loadsFrom") {
      if (!ReadNames(value, at, &out->loadsFrom, error)) return false;
    } else if (key == "exports") {
      if (!ReadNames(value, at, &out->exports, error)) return false;
    } else if (key == "wizardAnswer") {
      if (!ReadNumber(value, at, &out->wizardAnswer, error)) return false;
    } else if (key == "renameAnswer") {
      if (!ReadNumber(value, at, &out->renameAnswer, error)) return false;
    } else if (key == "printers") {
      if (!value.is_object()) return Fail(error, at, "expected an object of printer names");
      for (const auto& [name, printer] : value.items()) {
        PrinterSupport support;
        if (!ReadPrinter(printer, at + "/" + name, &support, error)) return false;
        if (!out->printers.emplace(name, support).second) return Fail(error, at + "/" + name, "given twice");
      }
    } else {
      return Fail(error, at, "unknown member");
    }
  }
  return true;
}

std::unique_ptr<ShellMachine> ShellMachine::FromJson(const nlohmann::json& image, LoadError* error) {
  if (!image.is_object()) {
    Fail(error, "/", "expected an object");
    return nullptr;
  }
  nlohmann::json rest = image;
  nlohmann::json section = nlohmann::json::object();
  if (rest.contains("profileLibrary")) {
    section = rest["profileLibrary"];
    rest.erase("profileLibrary");
  }
  ProfileLibrarySetup setup;
  if (!ParseProfileLibrary(section, &setup, error)) return nullptr;
  auto machine = Machine::FromJson(rest, error);
  if (!machine) return nullptr;
  std::unique_ptr<ShellMachine> out(new ShellMachine());
  out->machine_ = std::move(machine);
  out->librarySection_ = section;
  Machine& m = *out->machine_;
  out->ports_.reset(new Ports{SimProfileLibrary(m, std::move(setup)), SimLauncher(m), SimTrace(m)});
  auto& p = m.platform();
  out->platform_.reset(new plat::shell::ShellPlatform{p.registry, p.spooler, p.files, p.osInfo, p.security,
                                                      out->ports_->library, out->ports_->launcher,
                                                      out->ports_->trace});
  return out;
}

std::unique_ptr<ShellMachine> ShellMachine::FromText(std::string_view imageText, LoadError* error) {
  if (Depth(imageText) > kMaxNesting) {
    Fail(error, "/", "nested more than " + std::to_string(kMaxNesting) + " levels deep");
    return nullptr;
  }
  nlohmann::json image;
  try {
    image = nlohmann::json::parse(imageText);
  } catch (const nlohmann::json::exception& e) {
    Fail(error, "/", std::string("invalid JSON: ") + e.what());
    return nullptr;
  }
  return FromJson(image, error);
}

nlohmann::json ShellMachine::Save() const {
  nlohmann::json image = machine_->Save();
  if (!librarySection_.empty()) image["profileLibrary"] = librarySection_;
  return image;
}

}  // namespace sim::shell
