#include "machine_paths.h"

#include <array>

#include "platform/spooler.h"

namespace sim {

namespace {
struct EnvironmentName {
  const char* name;
  const char* folder;  // below spool\drivers and spool\prtprocs on NT
};
constexpr std::array kNtEnvironments = {
    EnvironmentName{"Windows NT x86", "w32x86"},    EnvironmentName{"Windows 4.0", "win40"},
    EnvironmentName{"Windows IA64", "ia64"},        EnvironmentName{"Windows x64", "x64"},
    EnvironmentName{"Windows NT R4000", "w32mips"}, EnvironmentName{"Windows NT Alpha_AXP", "w32alpha"},
    EnvironmentName{"Windows NT PowerPC", "w32ppc"},
};

const char* FolderOf(std::string_view environment) {
  for (const auto& e : kNtEnvironments)
    if (text::IEquals(e.name, environment)) return e.folder;
  return "w32x86";
}
}  // namespace

std::string WindowsDir(const MachineData& d) {
  if (!d.windowsDirectory.empty()) return d.windowsDirectory;
  // NT 4.0 and 2000 install to WINNT; XP and the 9x family to WINDOWS.
  const bool winnt = d.IsNT() && (d.os.major < 5 || (d.os.major == 5 && d.os.minor == 0));
  return winnt ? "C:\\WINNT" : "C:\\WINDOWS";
}

std::string SystemDir(const MachineData& d) { return WindowsDir(d) + (d.IsNT() ? "\\System32" : "\\SYSTEM"); }

std::string TempDir(const MachineData& d) {
  return d.tempDirectory.empty() ? WindowsDir(d) + "\\TEMP" : d.tempDirectory;
}

std::string NativeEnvironment(const MachineData& d) { return d.IsNT() ? plat::spool::EnvNtX86 : plat::spool::EnvWin40; }

std::optional<std::string> KnownEnvironment(const MachineData& d, std::string_view environment) {
  if (environment.empty()) return NativeEnvironment(d);
  if (!d.IsNT())
    return text::IEquals(environment, plat::spool::EnvWin40) ? std::optional<std::string>(plat::spool::EnvWin40)
                                                             : std::nullopt;
  for (const auto& e : kNtEnvironments)
    if (text::IEquals(e.name, environment)) return std::string(e.name);
  return std::nullopt;
}

std::uint32_t DefaultDriverVersion(const MachineData& d, std::string_view environment) {
  // The 9x spooler reports its own drivers as 0x400; NT reports them as 0.
  if (!d.IsNT()) return 0x400;
  if (text::IEquals(environment, plat::spool::EnvWin40)) return 0;
  // NT 4.0 runs kernel-mode (version 2) drivers, 2000 and later user-mode (3).
  return d.os.major >= 5 ? 3 : 2;
}

std::string DriverDirectory(const MachineData& d, std::string_view environment) {
  if (!d.IsNT()) return SystemDir(d);
  return SystemDir(d) + "\\spool\\drivers\\" + FolderOf(environment);
}

std::string DriverFilesDirectory(const MachineData& d, std::string_view environment, std::uint32_t version) {
  if (!d.IsNT()) return SystemDir(d);
  return DriverDirectory(d, environment) + "\\" + std::to_string(version);
}

std::string PrintProcessorDirectory(const MachineData& d, std::string_view environment) {
  if (!d.IsNT()) return SystemDir(d);
  return SystemDir(d) + "\\spool\\prtprocs\\" + FolderOf(environment);
}

}  // namespace sim
