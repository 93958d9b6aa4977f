#include "wide.h"

#include "platform/text.h"

namespace win32 {

// wchar_t is 16 bits wide with mingw-w64, so the UTF-16 code units copy over.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Wide(std::string_view utf8) {
  const std::u16string u16 = text::Utf8ToUtf16(utf8);
  return std::wstring(u16.begin(), u16.end());
}

std::string Narrow(std::wstring_view utf16) {
  return text::Utf16ToUtf8(std::u16string(utf16.begin(), utf16.end()));
}

}  // namespace win32
