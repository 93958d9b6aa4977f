// The shell extension's world on the simulated machine: the machine itself,
// plus the maker's profile library as the image's "profileLibrary" member
// describes it, a launcher and a trace that write into the machine's
// journal. The image member is taken out before the machine loads it and
// put back when the machine is saved.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/shell/shell_platform.h"
#include "platform/text.h"
#include "sim/machine.h"

namespace sim::shell {

// How the library answers EnumSpecificSupportedPrinter for one printer.
struct PrinterSupport {
  std::uint32_t answer = 0;  // non-zero: the library did not answer
  std::uint32_t version = 3;
  std::uint32_t capabilities = 0;
  std::uint32_t familyCode = 0;
  // "normal", or a misbehaving library: "nullInfo", "nullContext", "none".
  std::string callback = "normal";
};

struct ProfileLibrarySetup {
  std::vector<std::string> loadsFrom;  // bare names and paths that load
  std::vector<std::string> exports{"EnumSpecificSupportedPrinter", "DrvProfileWizard", "CFIRenamePrtObj"};
  std::map<std::string, PrinterSupport, text::ILessFn> printers;
  std::uint32_t wizardAnswer = 0;
  std::uint32_t renameAnswer = 0;
};

class ShellMachine {
 public:
  ~ShellMachine();
  static std::unique_ptr<ShellMachine> FromJson(const nlohmann::json& image, LoadError* error);
  static std::unique_ptr<ShellMachine> FromText(std::string_view imageText, LoadError* error);

  Machine& machine() { return *machine_; }
  const plat::shell::ShellPlatform& platform() const { return *platform_; }
  nlohmann::json Save() const;

 private:
  ShellMachine() = default;
  struct Ports;
  std::unique_ptr<Machine> machine_;
  nlohmann::json librarySection_;
  std::unique_ptr<Ports> ports_;
  std::unique_ptr<plat::shell::ShellPlatform> platform_;
};

// Parses the "profileLibrary" member; refuses unknown members and wrong types.
bool ParseProfileLibrary(const nlohmann::json& section, ProfileLibrarySetup* out, LoadError* error);

}  // namespace sim::shell
