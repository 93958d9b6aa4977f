// Security port: the group list of the caller's access token, in token order.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/security_types.h"
#include "platform/win_errors.h"

namespace plat {

class Security {
 public:
  virtual ~Security() = default;
  // Groups of the current thread's impersonation token. NoToken when the
  // thread is not impersonating (the usual case).
  virtual WinError ThreadTokenGroups(std::vector<Sid>* groups) = 0;
  // Groups of the process token.
  virtual WinError ProcessTokenGroups(std::vector<Sid>* groups) = 0;
};

}  // namespace plat
