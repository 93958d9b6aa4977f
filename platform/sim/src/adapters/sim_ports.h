// The ports of one simulated machine: an adapter per port over the machine's
// state, and the platform bundle that hands them to the program. The model
// knows none of them; when virtual time moves on, the services and print
// queues that were due change here, before the clock reads the new time.
#pragma once
#include <cstdint>

#include "platform/platform.h"
#include "scripted_ui.h"
#include "sim_bidi_library.h"
#include "sim_clock.h"
#include "sim_desktop.h"
#include "sim_files.h"
#include "sim_install_log.h"
#include "sim_job_scheduler.h"
#include "sim_os_info.h"
#include "sim_process_info.h"
#include "sim_processes.h"
#include "sim_profile.h"
#include "sim_registry.h"
#include "sim_resource_strings.h"
#include "sim_security.h"
#include "sim_services.h"
#include "sim_spooler.h"
#include "sim_task_scheduler.h"
#include "sim_zip_lister.h"

namespace sim {

class MachineState;

class SimPorts {
 public:
  explicit SimPorts(MachineState& m);
  SimPorts(const SimPorts&) = delete;
  SimPorts& operator=(const SimPorts&) = delete;

  // Moves virtual time on; services that were due change state and print
  // queues that were due drain, each at its own due time.
  void AdvanceTime(std::uint64_t milliseconds);

  SimRegistry registry;
  SimServices services;
  SimOsInfo osInfo;
  SimSecurity security;
  SimClock clock;
  SimDesktop desktop;
  SimResourceStrings resources;
  SimFiles files;
  SimProcessInfo process;
  SimProcesses processes;
  ScriptedUi ui;
  SimSpooler spooler;
  SimProfile profile;
  SimZipLister zipLister;
  SimInstallLog installLog;
  SimJobScheduler jobScheduler;
  SimTaskScheduler taskScheduler;
  SimBidiLibrary bidiLibrary;
  plat::Platform platform{registry,  services,  osInfo,     security,     clock,         desktop,
                          resources, files,     process,    processes,    ui,            spooler,
                          profile,   zipLister, installLog, jobScheduler, taskScheduler, bidiLibrary};

 private:
  MachineState& m_;
};

}  // namespace sim
