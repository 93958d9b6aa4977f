#include "win32/win32_file_system.h"

#include <windows.h>

#include "platform/win_errors.h"
#include "wide.h"

namespace win32 {

std::uint32_t Win32FileSystem::GetAttributes(std::string_view path, std::uint32_t* attributes) {
  const std::wstring wpath = Wide(path);
  const DWORD a = GetFileAttributesW(wpath.c_str());
  if (attributes) *attributes = a;
  return a == INVALID_FILE_ATTRIBUTES ? static_cast<std::uint32_t>(GetLastError()) : winerr::Success;
}

}  // namespace win32
