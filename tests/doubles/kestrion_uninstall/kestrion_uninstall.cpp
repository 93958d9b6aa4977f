// A stand-in for the product's own uninstaller, for tests. It appends its
// command line to "Uninstall Kestrion.log" beside itself, then clears the
// value "Install_Dir" of HKLM "Software\Vorkast\Kestrion for Intranets" as a
// finished uninstallation does, unless "Uninstall Kestrion.config" beside it
// says "keep" (an uninstallation the user cancelled).
#include <windows.h>

#include <string>

#include "common/log_beside_module.h"

namespace {

bool Keeps() {
  std::string text;
  return doubles::ReadWholeFile(doubles::Beside("Uninstall Kestrion.config"), &text) && text.compare(0, 4, "keep") == 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Without its log line the test sees the program as never started.
  static_cast<void>(doubles::AppendBeside("Uninstall Kestrion.log", std::string(GetCommandLineA()) + "\r\n"));
  if (Keeps()) return 1;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vorkast\\Kestrion for Intranets", 0, KEY_SET_VALUE, &key) !=
      ERROR_SUCCESS)
    return 2;
  const LONG deleted = RegDeleteValueA(key, "Install_Dir");
  RegCloseKey(key);
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND ? 0 : 3;
}
