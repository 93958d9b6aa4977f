// Processes port: CreateProcess for programs the uninstaller does not wait for.
#pragma once
#include "platform/processes.h"

namespace win32 {

class Win32Processes final : public plat::Processes {
 public:
  plat::WinError StartDetached(const plat::ProcessLaunch& launch) override;
  plat::WinError RunCommand(std::string_view commandLine, bool wait) override;
  plat::WinError FindOnSearchPath(std::string_view fileName, std::string* fullPath) override;
};

}  // namespace win32
