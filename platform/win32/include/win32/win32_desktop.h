// Desktop port: privileges, top-level windows, ending processes, shutdown.
#pragma once
#include "platform/desktop.h"

namespace win32 {

class Win32Desktop final : public plat::Desktop {
 public:
  std::uint32_t EnablePrivilege(std::string_view name) override;
  std::vector<plat::WindowId> TopLevelWindows() override;
  std::uint32_t SendWithTimeout(plat::WindowId w, std::uint32_t msg, std::uintptr_t wparam, std::intptr_t lparam,
                                std::uint32_t flags, std::uint32_t timeoutMs, std::uintptr_t* result) override;
  std::uint32_t TerminateWindowProcess(plat::WindowId w) override;
  std::uint32_t BroadcastWinIniChange(std::string_view section) override;
  std::uint32_t Shutdown(std::uint32_t flags, std::uint32_t reason) override;
};

}  // namespace win32
