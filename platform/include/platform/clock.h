// Clock port: all waiting goes through here, so the simulated machine can run
// its clock virtually and a 30-second wait costs nothing in a test.
#pragma once
#include <cstdint>

namespace plat {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // GetTickCount: milliseconds since start, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;
  // time(): whole seconds since the epoch.
  virtual std::int64_t Now() = 0;
};

}  // namespace plat
