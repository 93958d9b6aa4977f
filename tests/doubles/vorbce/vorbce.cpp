// A stand-in for the maker's bidirectional-communication library, for tests.
//
//   HANDLE __stdcall BceRegisterApp(int application)
//   int    __stdcall BceUninstallLCS(HANDLE app, int services, int reserved)
//   int    __stdcall BceUnregisterApp(HANDLE app)
//
// "vorbce.config" beside this library says how it answers, one line each:
//   handle|<number>   the handle BceRegisterApp gives (4660 without it)
//   status|<number>   BceUninstallLCS's answer (0 without it)
// Every call appends one line to "vorbce.log" beside the library:
//   BceRegisterApp|<application>|<handle given>
//   BceUninstallLCS|<handle>|<services>|<reserved>|<answer>
//   BceUnregisterApp|<handle>
// Built a second time without BceUninstallLCS, as older copies of the
// library are.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/log_beside_module.h"

namespace {

using doubles::Beside;

// The number after "<name>|" on a line of the config file, or `otherwise`.
long Setting(const char* name, long otherwise) {
  std::string content;
  if (!doubles::ReadWholeFile(Beside("vorbce.config"), &content)) return otherwise;
  const std::string key = std::string(name) + "|";
  for (const std::string& line : doubles::NonEmptyLines(content))
    if (line.compare(0, key.size(), key) == 0) return std::strtol(line.c_str() + key.size(), nullptr, 10);
  return otherwise;
}

// A line that cannot be written is lost; the test then misses the call.
void Log(const std::string& line) { static_cast<void>(doubles::AppendBeside("vorbce.log", line + "\r\n")); }

std::string Number(HANDLE h) { return std::to_string(reinterpret_cast<std::intptr_t>(h)); }

}  // namespace

extern "C" HANDLE __stdcall BceRegisterApp(int application) {
  const HANDLE app = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(Setting("handle", 4660)));
  Log("BceRegisterApp|" + std::to_string(application) + "|" + Number(app));
  return app;
}

#ifndef VORBCE_WITHOUT_UNINSTALL
extern "C" int __stdcall BceUninstallLCS(HANDLE app, int services, int reserved) {
  const int answer = static_cast<int>(Setting("status", 0));
  Log("BceUninstallLCS|" + Number(app) + "|" + std::to_string(services) + "|" + std::to_string(reserved) + "|" +
      std::to_string(answer));
  return answer;
}
#endif

extern "C" int __stdcall BceUnregisterApp(HANDLE app) {
  Log("BceUnregisterApp|" + Number(app));
  return 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) doubles::g_module = instance;
  return TRUE;
}
