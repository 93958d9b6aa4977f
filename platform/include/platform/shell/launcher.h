// Starting an uninstaller as a program of its own, without waiting for it:
// the shell extension's only way to run another program.
#pragma once
#include <cstdint>
#include <string_view>

#include "platform/win_errors.h"

namespace plat::shell {

inline constexpr std::uint32_t kCreateNewConsole = 0x10;
inline constexpr std::uint32_t kNormalPriorityClass = 0x20;
inline constexpr std::uint32_t kShowNormal = 1;

class Launcher {
 public:
  virtual ~Launcher() = default;
  // CreateProcess with no application name, `commandLine` as given, no
  // inherited handles, the caller's environment and directory, and a window
  // shown as `show` asks.
  virtual WinError Start(std::string_view commandLine, std::uint32_t creationFlags, std::uint32_t show) = 0;
};

// OutputDebugString: one line per entry point, for whoever watches.
class Trace {
 public:
  virtual ~Trace() = default;
  virtual void Write(std::string_view text) = 0;
};

}  // namespace plat::shell
