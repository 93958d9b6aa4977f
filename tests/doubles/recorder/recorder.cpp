// A stand-in for the management-suite programs the uninstaller starts, for
// tests: built once and copied under each program's name. It appends its
// command line (as the program received it) and a line break to the file
// named by the environment variable DP_COMMAND_LOG, or else to
// "commands.log" beside itself, then ends.
//
// Two words anywhere on the command line change how it runs, for the tests
// of the starting side: "--sleep=<ms>" waits that long before recording,
// "--exit=<code>" ends with that exit code (0 without it).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "common/log_beside_module.h"

namespace {

std::string LogPath() {
  char configured[MAX_PATH] = {};
  const DWORD got = GetEnvironmentVariableA("DP_COMMAND_LOG", configured, MAX_PATH);
  if (got > 0 && got < MAX_PATH) return std::string(configured, got);
  return doubles::Beside("commands.log");
}

// The number after `word` on the command line, or `otherwise`.
unsigned long Option(const std::string& commandLine, const char* word, unsigned long otherwise) {
  const auto at = commandLine.find(word);
  if (at == std::string::npos) return otherwise;
  return std::strtoul(commandLine.c_str() + at + std::char_traits<char>::length(word), nullptr, 10);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string commandLine = GetCommandLineA();
  Sleep(Option(commandLine, "--sleep=", 0));
  const std::string line = commandLine + "\r\n";
  // Several programs may append at once; a share-less open is retried.
  HANDLE f = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 50 && f == INVALID_HANDLE_VALUE; ++attempt) {
    f = CreateFileA(LogPath().c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) Sleep(20);
  }
  if (f == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(f);
  return static_cast<int>(Option(commandLine, "--exit=", 0));
}
