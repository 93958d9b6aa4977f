// OsInfo port: the version record of GetVersionEx and the computer name.
#pragma once
#include <cstdint>
#include <string>
#include "platform/win_errors.h"

namespace plat {

inline constexpr std::uint32_t kPlatformWin32s = 0;
inline constexpr std::uint32_t kPlatformWindows = 1;  // 95, 98, Me
inline constexpr std::uint32_t kPlatformNT = 2;

struct OsVersion {
  std::uint32_t platformId = kPlatformNT;
  std::uint32_t major = 5;
  std::uint32_t minor = 1;
  std::uint32_t build = 2600;
  std::string csdVersion;
};

class OsInfo {
 public:
  virtual ~OsInfo() = default;
  virtual WinError GetVersion(OsVersion* out) = 0;
  virtual std::string ComputerName() = 0;
};

}  // namespace plat
