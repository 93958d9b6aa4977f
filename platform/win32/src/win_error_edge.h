// Where Windows' own status codes become the ports' error type: the last
// error of a call, a registry LSTATUS, or a code a helper already holds.
#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/win_errors.h"

namespace win32 {

inline plat::WinError FromWin32(DWORD code) { return plat::WinError(static_cast<std::uint32_t>(code)); }
inline plat::WinError FromStatus(LSTATUS status) { return plat::WinError(static_cast<std::uint32_t>(status)); }
inline plat::WinError LastError() { return FromWin32(GetLastError()); }

}  // namespace win32
