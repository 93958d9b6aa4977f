// ProcessInfo port: the running program's own path.
#pragma once
#include "platform/process_info.h"

namespace win32 {

class Win32ProcessInfo final : public plat::ProcessInfo {
 public:
  std::string ModulePath() override;
};

}  // namespace win32
