// OsInfo port: GetVersionEx and GetComputerName.
#pragma once
#include "platform/os_info.h"

namespace win32 {

class Win32OsInfo final : public plat::OsInfo {
 public:
  plat::WinError GetVersion(plat::OsVersion* out) override;
  std::string ComputerName() override;
};

}  // namespace win32
