// The simulated Windows machine: state loaded from a machine image, ports that
// act on it with Windows semantics, and the journal of what a run did.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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

  // Inspection helpers for tests and runners. Paths are "HKLM\\Software\\X"
  // (long or short root names).
  bool KeyExists(std::string_view fullKeyPath) const;
  std::optional<plat::RegValue> Value(std::string_view fullKeyPath, std::string_view valueName) const;
  std::optional<std::uint32_t> ServiceState(std::string_view serviceName) const;
  std::uint64_t VirtualMillis() const;

 private:
  Machine();
  std::unique_ptr<MachineState> state_;
};

}  // namespace sim
