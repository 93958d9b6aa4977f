// The simulated Windows machine: state loaded from a machine image, ports that
// act on it with Windows semantics, and the journal of what a run did.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/platform.h"
#include "platform/registry.h"

namespace sim {

// Why an image was refused: the JSON path at fault ("/registry/HKLM\\SOFTWARE/values/X")
// and what is wrong there.
struct LoadError {
  std::string path;
  std::string message;
  std::string ToString() const { return path + ": " + message; }
};

class MachineState;  // defined in the sim library
class SimPorts;

class Machine {
 public:
  ~Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  // Builds a machine from an image. On any error returns nullptr and fills
  // `error`; nothing is half-loaded.
  static std::unique_ptr<Machine> FromJson(const nlohmann::json& image, LoadError* error);
  static std::unique_ptr<Machine> FromText(std::string_view imageText, LoadError* error);

  // The ports over this machine. The Ui port answers from the image's
  // scripted answers unless another Ui is given.
  plat::Platform& platform();
  plat::Platform PlatformWithUi(plat::Ui& ui);

  // The machine as it is now, in image form, journal included.
  nlohmann::json Save() const;
  const nlohmann::json& journal() const;
  // Adds one journal entry ({"event": ..., ...}); runners record the exit code
  // this way.
  void Record(nlohmann::json entry);

  // Clicks the scripted wizard's tree labels: given the labels in order, it
  // clicks each one's box and returns what went wrong (a label the tree does
  // not show), or nullopt. The tree belongs to the program, so the runner
  // that holds the program provides this; without it a script that ticks
  // is an error.
  using WizardTicker = std::function<std::optional<std::string>(const std::vector<std::string>& labels)>;
  void SetWizardTicker(WizardTicker ticker);

  // Inspection helpers for tests and runners. Paths are "HKLM\\Software\\X"
  // (long or short root names).
  bool KeyExists(std::string_view fullKeyPath) const;
  std::optional<plat::RegValue> Value(std::string_view fullKeyPath, std::string_view valueName) const;
  std::optional<std::uint32_t> ServiceState(std::string_view serviceName) const;
  std::uint64_t VirtualMillis() const;

 private:
  Machine();
  std::unique_ptr<MachineState> state_;
  // Declared after the state they act on, so they go first.
  std::unique_ptr<SimPorts> ports_;
};

}  // namespace sim
