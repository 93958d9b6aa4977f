// A stand-in for the maker's status monitor, for tests: appends its command
// line (as the program received it) and a line break to "VKSTATUS.log"
// beside itself, then ends.
#include <windows.h>

#include <string>

#include "common/log_beside_module.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return doubles::AppendBeside("VKSTATUS.log", std::string(GetCommandLineA()) + "\r\n") ? 0 : 1;
}
