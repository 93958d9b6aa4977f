#include "win32/win32_process_info.h"

#include <windows.h>

#include "wide.h"

namespace win32 {

std::string Win32ProcessInfo::ModulePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  // A path that fills the buffer may have been cut (older systems do not say
  // so through the last error); grow until it fits.
  while (buffer.size() <= 32768) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return Narrow(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
  return {};
}

}  // namespace win32
