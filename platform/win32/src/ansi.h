// UTF-8 to the ANSI code page, for the few "A" procedures we call (the
// maker's libraries and DeletePrinterDriverExA).
#pragma once
#include <string>
#include <string_view>

namespace win32 {
std::string ToAnsi(std::string_view utf8);
}  // namespace win32
