// Where Windows keeps things on the simulated machine: the Windows and system
// directories, and the spooler's directories per print environment. The
// family decides (NT: "System32\\spool\\..."; 9x: everything in "SYSTEM").
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "machine_data.h"

namespace sim {

std::string WindowsDir(const MachineData& d);
std::string SystemDir(const MachineData& d);
std::string TempDir(const MachineData& d);  // without the trailing backslash

// The environment this family's printers use ("Windows NT x86" or "Windows 4.0").
std::string NativeEnvironment(const MachineData& d);
// The canonical spelling of an environment this machine knows; an empty
// name means the native one. nullopt: ERROR_INVALID_ENVIRONMENT.
std::optional<std::string> KnownEnvironment(const MachineData& d, std::string_view environment);
// The cVersion a driver of the environment gets when nobody says.
std::uint32_t DefaultDriverVersion(const MachineData& d, std::string_view environment);
std::string DriverDirectory(const MachineData& d, std::string_view environment);
// Where a driver's files lie: the version folder on NT, the directory itself on 9x.
std::string DriverFilesDirectory(const MachineData& d, std::string_view environment, std::uint32_t version);
std::string PrintProcessorDirectory(const MachineData& d, std::string_view environment);

}  // namespace sim
