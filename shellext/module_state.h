// What the extension learns once, when the shell loads it: the Windows
// version and, on Windows NT, whether the user counts as an administrator or
// a power user. Both are fixed for the life of the process.
#pragma once

#include "platform/os_info.h"
#include "platform/security.h"
#include "platform/security_types.h"

namespace shellext {

struct ModuleState {
  plat::OsVersion os;
  bool isAdministrator = false;
  bool isPowerUser = false;

  bool IsNT() const { return os.platformId == plat::kPlatformNT; }
  bool Is9x() const { return os.platformId == plat::kPlatformWindows; }
};

ModuleState AttachModule(plat::OsInfo& osInfo, plat::Security& security);

// Whether the caller's token meets the alias `target` before any alias of
// the stop list (Users, Guests and the operator groups): a token listing
// Users first is not an administrator even if Administrators follows.
bool IsTokenInAlias(plat::Security& security, const plat::Sid& target);

}  // namespace shellext
