// SIDs between their text form and the binary record, with calls that Windows
// NT 4.0 already has (ConvertStringSidToSid only arrived with Windows 2000,
// and a static import of it would keep the program from starting there).
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/security_types.h"

namespace win32 {

// The binary SID for "S-1-5-32-544" and the like; nullopt when the text is
// not a SID.
std::optional<std::vector<std::uint8_t>> SidFromText(const plat::Sid& text);
// Text form of a binary SID; empty when it is not valid.
plat::Sid SidToText(PSID sid);

}  // namespace win32
