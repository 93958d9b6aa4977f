// Feeds arbitrary argument vectors to the uninstaller's command-line parser.
// Arguments are separated by newlines in the input. Besides not crashing, the
// parser must never leave a restart mode outside -1..1: a stray value there
// would restart a machine nobody asked to restart.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/cmd_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      args.emplace_back();
    } else {
      args.back().push_back(static_cast<char>(data[i]));
    }
  }
  CCmdLine cmd;
  cmd.Parse(args);
  if (cmd.rebootMode < -1 || cmd.rebootMode > 1) std::abort();
  for (const auto& a : args) {
    const int mode = ParseRebootMode(a);
    if (mode < -1 || mode > 1) std::abort();
  }
  return 0;
}
