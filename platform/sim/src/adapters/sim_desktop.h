// Desktop port: the image's top-level windows, and privileges, broadcasts,
// shutdowns and the shell's deletions written to the journal.
#pragma once
#include <vector>

#include "platform/desktop.h"

namespace sim {

class MachineState;
class SimPorts;

class SimDesktop final : public plat::Desktop {
 public:
  SimDesktop(MachineState& m, SimPorts& ports) : m_(m), ports_(ports) {}
  plat::WinError EnablePrivilege(std::string_view name) override;
  std::vector<plat::WindowId> TopLevelWindows() override;
  plat::WinError SendWithTimeout(plat::WindowId w, std::uint32_t msg, std::uintptr_t wparam, std::intptr_t lparam,
                                std::uint32_t flags, std::uint32_t timeoutMs, std::uintptr_t* result) override;
  plat::WinError TerminateWindowProcess(plat::WindowId w) override;
  plat::WinError BroadcastWinIniChange(std::string_view section) override;
  plat::WinError Shutdown(std::uint32_t flags, std::uint32_t reason) override;
  bool HasTopLevelWindow(std::string_view className, std::string_view title) override;
  plat::WinError ShellDelete(std::string_view path) override;

 private:
  MachineState& m_;
  SimPorts& ports_;  // a hung window's timeout passes for the whole machine
};

}  // namespace sim
