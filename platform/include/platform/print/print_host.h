// What the print processor asks of the machine around a job: the computer's
// own name, a program started, a line of debug trace.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/print/job_channel.h"
#include "platform/print/print_result.h"

namespace plat::print {

inline constexpr std::uint32_t kShowWindow = 5;  // SW_SHOW

// GetVersionEx's major and minor version.
struct WindowsVersion {
  std::uint32_t major = 0, minor = 0;
};

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

  // --- what a separator page shows
  [[nodiscard]] virtual Result<WindowsVersion> Version() = 0;
  // A time the spooler keeps (UTC) in the machine's local time zone.
  [[nodiscard]] virtual Result<SystemTime> ToLocalTime(const SystemTime& utc) = 0;
  // GetDateFormatA with DATE_LONGDATE, and GetTimeFormatA with no flags, in
  // the user's default locale.
  [[nodiscard]] virtual Result<std::string> LongDate(const SystemTime& time) = 0;
  [[nodiscard]] virtual Result<std::string> TimeOfDay(const SystemTime& time) = 0;
};

}  // namespace plat::print
