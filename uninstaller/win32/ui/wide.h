// UTF-8 texts of the models as the wide strings that windows take.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/text.h"

namespace ui {

inline std::wstring Wide(std::string_view utf8) {
  const std::u16string units = text::Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

inline std::string Narrow(std::wstring_view wide) {
  return text::Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

inline std::wstring WindowText(HWND hwnd) {
  std::wstring s(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  s.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, s.data(), static_cast<int>(s.size()))));
  return s;
}

}  // namespace ui
