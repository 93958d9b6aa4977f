// FileSystem port over the Win32 file calls.
#pragma once
#include "platform/file_system.h"

namespace win32 {

class Win32FileSystem final : public plat::FileSystem {
 public:
  std::uint32_t GetAttributes(std::string_view path, std::uint32_t* attributes) override;
};

}  // namespace win32
