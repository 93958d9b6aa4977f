// The live simulated machine: its data, the handle counter, the fault table,
// the journal and the ports over them.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "adapters/scripted_ui.h"
#include "adapters/sim_bidi_library.h"
#include "adapters/sim_clock.h"
#include "adapters/sim_desktop.h"
#include "adapters/sim_files.h"
#include "adapters/sim_install_log.h"
#include "adapters/sim_job_scheduler.h"
#include "adapters/sim_os_info.h"
#include "adapters/sim_process_info.h"
#include "adapters/sim_processes.h"
#include "adapters/sim_profile.h"
#include "adapters/sim_registry.h"
#include "adapters/sim_resource_strings.h"
#include "adapters/sim_security.h"
#include "adapters/sim_services.h"
#include "adapters/sim_spooler.h"
#include "adapters/sim_task_scheduler.h"
#include "adapters/sim_zip_lister.h"
#include "machine_data.h"
#include "platform/platform.h"

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
  // Moves virtual time on; services that were due change state.
  void AdvanceTime(std::uint64_t milliseconds);
  std::uint64_t Now() const { return data.clock.elapsedMs; }
  // Handles are never reused, so a stale handle stays invalid.
  plat::Handle NewHandle() { return nextHandle_ += 4; }

  SimRegistry registry{*this};
  SimServices services{*this};
  SimOsInfo osInfo{*this};
  SimSecurity security{*this};
  SimClock clock{*this};
  SimDesktop desktop{*this};
  SimResourceStrings resources{*this};
  SimFiles files{*this};
  SimProcessInfo process{*this};
  SimProcesses processes{*this};
  ScriptedUi ui{*this};
  SimSpooler spooler{*this};
  SimProfile profile{*this};
  SimZipLister zipLister{*this};
  SimInstallLog installLog{*this};
  SimJobScheduler jobScheduler{*this};
  SimTaskScheduler taskScheduler{*this};
  SimBidiLibrary bidiLibrary{*this};
  plat::Platform platform{registry,  services,   osInfo,       security,      clock,      desktop,
                          resources, files,      process,      processes,     ui,         spooler,
                          profile,   zipLister,  installLog,   jobScheduler,  taskScheduler, bidiLibrary};

  // Called when a service reaches "stopped": files it held are free for good.
  void ServiceStopped(const std::string& name);

 private:
  plat::Handle nextHandle_ = 0x1000;
};

}  // namespace sim
