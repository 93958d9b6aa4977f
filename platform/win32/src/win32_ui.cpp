#include "win32/win32_ui.h"

#include <windows.h>

#include "wide.h"

namespace win32 {

int Win32Ui::ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                         std::uint32_t flags) {
  const std::wstring wtext = Wide(text);
  const std::wstring wcaption = Wide(caption);
  return MessageBoxW(reinterpret_cast<HWND>(owner), wtext.c_str(), wcaption.c_str(), flags);
}

}  // namespace win32
