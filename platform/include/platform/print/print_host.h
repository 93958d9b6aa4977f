// What the print processor asks of the machine around a job: the computer's
// own name, a program started, a line of debug trace.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/print/print_result.h"

namespace plat::print {

inline constexpr std::uint32_t kShowWindow = 5;  // SW_SHOW

class PrintHost {
 public:
  virtual ~PrintHost() = default;

  // The name under HKEY_LOCAL_MACHINE
  // "System\CurrentControlSet\control\ComputerName\ComputerName", value "ComputerName".
  [[nodiscard]] virtual Result<std::string> ComputerName() = 0;
  // WinExec.
  [[nodiscard]] virtual Status StartProgram(std::string_view commandLine, std::uint32_t showCommand) = 0;
  // OutputDebugStringA.
  virtual void DebugTrace(std::string_view line) = 0;
};

}  // namespace plat::print
