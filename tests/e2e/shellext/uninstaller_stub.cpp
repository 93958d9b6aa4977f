// Stands in for an uninstaller the extension starts: records its command
// line in "uninstaller_stub.ran" beside itself and ends.
#include <windows.h>

int main() {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH - 8) return 1;
  lstrcpyW(path + n - 4, L".ran");  // "uninstaller_stub.exe" -> "uninstaller_stub.ran"
  const HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  const char* line = GetCommandLineA();
  DWORD written = 0;
  WriteFile(f, line, lstrlenA(line), &written, nullptr);
  CloseHandle(f);
  return 0;
}
