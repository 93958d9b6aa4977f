// Processes port: CreateProcess for programs the uninstaller does not wait for.
#pragma once
#include "platform/processes.h"

namespace win32 {

class Win32Processes final : public plat::Processes {
 public:
  plat::WinError StartDetached(const plat::ProcessLaunch& launch) override;
};

}  // namespace win32
