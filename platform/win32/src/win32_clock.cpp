#include "win32/win32_clock.h"

#include <windows.h>

#include <ctime>

namespace win32 {

void Win32Clock::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::uint32_t Win32Clock::TickCount() { return GetTickCount(); }

std::int64_t Win32Clock::Now() { return static_cast<std::int64_t>(std::time(nullptr)); }

}  // namespace win32
