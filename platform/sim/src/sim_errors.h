// Win32 error codes the simulated spooler and files report, under the names
// the sim code uses; the values and their printed names live in the shared
// winerr table.
#pragma once
#include "platform/win_errors.h"

namespace sim::err {
inline constexpr std::uint32_t InvalidLevel = winerr::InvalidLevel;
inline constexpr std::uint32_t NotADirectory = winerr::NotADirectory;
inline constexpr std::uint32_t RpcServerUnavailable = winerr::RpcServerUnavailable;
inline constexpr std::uint32_t UnknownPrintProcessor = winerr::UnknownPrintProcessor;
inline constexpr std::uint32_t InvalidEnvironment = winerr::InvalidEnvironment;
}  // namespace sim::err
