// Whether a base directory read from the install log may be emptied. The
// scheduler's and the management application's removers empty a directory
// whose name comes from the log: a wrong or hostile value there must not
// empty a drive, the Windows directory or any place the system needs.
#pragma once
#include <string_view>

#include "system/protected_paths.h"

// True only for a full path (drive or share) of at least 4 characters that
// is not a root and is neither a protected system directory nor one of its
// ancestors. Anything else is kept: an empty or relative text would lean on
// whatever the current directory happens to be.
[[nodiscard]] bool IsClearableDirectory(std::string_view dir, ProtectedPaths& protectedPaths);
