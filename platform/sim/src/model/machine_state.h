// The live simulated machine: its data, the handle counter, the fault table
// and the journal. It knows no port: the adapters are built over it.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "machine_data.h"
#include "platform/handle.h"
#include "platform/win_errors.h"

namespace sim {

class MachineState {
 public:
  explicit MachineState(MachineData data);
  MachineState(const MachineState&) = delete;
  MachineState& operator=(const MachineState&) = delete;

  MachineData data;

  // Every port call asks here first. Returns the error of a fault that
  // fires for `call` ("Registry.OpenKey") with main argument `argument`, and
  // journals it.
  std::optional<plat::WinError> Fault(std::string_view call, std::string_view argument);
  // Appends a journal entry stamped with the current virtual time.
  void Record(nlohmann::json entry);
  void RecordAt(nlohmann::json entry, std::uint64_t virtualMs);
  std::uint64_t Now() const { return data.clock.elapsedMs; }
  // Handles are never reused, so a stale handle stays invalid.
  plat::Handle NewHandle() { return nextHandle_ += 4; }

  // Called when a service reaches "stopped": files it held are free for good.
  void ServiceStopped(const std::string& name);

 private:
  plat::Handle nextHandle_ = 0x1000;
};

}  // namespace sim
