// Clock port: real time.
#pragma once
#include "platform/clock.h"

namespace win32 {

class Win32Clock final : public plat::Clock {
 public:
  void Sleep(std::uint32_t milliseconds) override;
  std::uint32_t TickCount() override;
  std::int64_t Now() override;
};

}  // namespace win32
