// The job-finishing run as the processor handle keeps it between the calls
// of one job (a separator page and the job's own records share one run).
#pragma once
#include <cstdint>

namespace finishing {

inline constexpr std::uint32_t kRunStarted = 0x1;
inline constexpr std::uint32_t kPageOpen = 0x2;
inline constexpr std::uint32_t kPageBufferOpen = 0x20;

// LGMain's commands.
namespace cmd {
inline constexpr std::uint32_t OpenRun = 0;
inline constexpr std::uint32_t CloseRun = 2;
inline constexpr std::uint32_t OpenRunSecondStep = 4;
inline constexpr std::uint32_t EndDocument = 5;
inline constexpr std::uint32_t StartPage = 6;
inline constexpr std::uint32_t EndPage = 7;
inline constexpr std::uint32_t Select = 8;
inline constexpr std::uint32_t Delete = 9;
inline constexpr std::uint32_t Position = 59;
inline constexpr std::uint32_t DuplexMessage = 60;
}  // namespace cmd

// The callbacks the processor adds to the stream header.
inline constexpr std::uint32_t kStartPageCallback = 50;
inline constexpr std::uint32_t kEndPageCallback = 51;
inline constexpr std::uint32_t kWriteCallback = 52;

}  // namespace finishing
