#include "win32/win32_profile.h"

#include <windows.h>

#include <vector>

#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "wide.h"

namespace win32 {

std::string Win32Profile::GetString(std::string_view section, std::string_view key, std::string_view defaultValue) {
  const std::wstring wsection = Wide(section);
  const std::wstring wkey = Wide(key);
  const std::wstring wdefault = Wide(defaultValue);
  // The call cuts a long value to the buffer and reports size - 1: grow until
  // the value fits.
  for (DWORD size = 260; size <= 65536; size *= 4) {
    std::vector<wchar_t> buffer(size, L'\0');
    const DWORD n = GetProfileStringW(wsection.c_str(), wkey.c_str(), wdefault.c_str(), buffer.data(), size);
    if (n < size - 1) return Narrow(std::wstring_view(buffer.data(), n));
  }
  return Narrow(wdefault);
}

plat::WinError Win32Profile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::wstring wsection = Wide(section);
  const std::wstring wkey = Wide(key);
  const std::wstring wvalue = Wide(value);
  return WriteProfileStringW(wsection.c_str(), wkey.c_str(), wvalue.c_str()) ? winerr::Success
                                                                            : LastError();
}

}  // namespace win32
