#include "win32/win32_os_info.h"

#include <windows.h>

#include "platform/win_errors.h"
#include "win_error_edge.h"
#include "wide.h"

namespace win32 {

plat::WinError Win32OsInfo::GetVersion(plat::OsVersion* out) {
  // The plain record: Windows 95 and NT 4.0 before SP4 refuse the EX size.
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExW(&info)) return LastError();
  if (out) {
    out->platformId = info.dwPlatformId;
    out->major = info.dwMajorVersion;
    out->minor = info.dwMinorVersion;
    // On the 9x family the high word of the build number repeats the version.
    out->build = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? (info.dwBuildNumber & 0xFFFF)
                                                                  : info.dwBuildNumber;
    out->csdVersion = Narrow(info.szCSDVersion);
  }
  return winerr::Success;
}

std::string Win32OsInfo::ComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(name, &length)) return {};
  return Narrow(std::wstring_view(name, length));
}

}  // namespace win32
