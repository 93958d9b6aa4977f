// A stand-in for the maker's status monitor, for tests: appends its command
// line (as the program received it) and a line break to "VKSTATUS.log"
// beside itself, then ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string log(path, n);
  const auto slash = log.find_last_of('\\');
  log = (slash == std::string::npos ? std::string() : log.substr(0, slash + 1)) + "VKSTATUS.log";
  const std::string line = std::string(GetCommandLineA()) + "\r\n";
  const HANDLE f = CreateFileA(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(f);
  return 0;
}
