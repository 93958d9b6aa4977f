// UTF-8 inside, UTF-16 at the Win32 edge.
#pragma once
#include <string>
#include <string_view>

namespace win32 {
std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
}  // namespace win32
