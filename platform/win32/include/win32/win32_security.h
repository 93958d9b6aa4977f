// Security port: the group list of the thread or process token.
#pragma once
#include "platform/security.h"

namespace win32 {

class Win32Security final : public plat::Security {
 public:
  plat::WinError ThreadTokenGroups(std::vector<plat::Sid>* groups) override;
  plat::WinError ProcessTokenGroups(std::vector<plat::Sid>* groups) override;
};

}  // namespace win32
