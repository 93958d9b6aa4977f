// A stand-in for the product's own uninstaller, for tests. It appends its
// command line to "Uninstall Kestrion.log" beside itself, then clears the
// value "Install_Dir" of HKLM "Software\Vorkast\Kestrion for Intranets" as a
// finished uninstallation does, unless "Uninstall Kestrion.config" beside it
// says "keep" (an uninstallation the user cancelled).
#include <windows.h>

#include <string>

namespace {

std::string Beside(const char* name) {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir(path, n);
  const auto slash = dir.find_last_of('\\');
  dir = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
  return dir + name;
}

bool Keeps() {
  const HANDLE f = CreateFileA(Beside("Uninstall Kestrion.config").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  char text[16] = {};
  DWORD got = 0;
  ReadFile(f, text, sizeof text - 1, &got, nullptr);
  CloseHandle(f);
  return std::string(text, got).compare(0, 4, "keep") == 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const HANDLE log = CreateFileA(Beside("Uninstall Kestrion.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                 OPEN_ALWAYS, 0, nullptr);
  if (log != INVALID_HANDLE_VALUE) {
    const std::string line = std::string(GetCommandLineA()) + "\r\n";
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
  }
  if (Keeps()) return 1;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vorkast\\Kestrion for Intranets", 0, KEY_SET_VALUE, &key) !=
      ERROR_SUCCESS)
    return 2;
  const LONG deleted = RegDeleteValueA(key, "Install_Dir");
  RegCloseKey(key);
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND ? 0 : 3;
}
