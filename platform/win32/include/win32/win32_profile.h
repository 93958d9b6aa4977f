// Profile port: win.ini through GetProfileStringW/WriteProfileStringW.
#pragma once
#include "platform/profile.h"

namespace win32 {

class Win32Profile final : public plat::Profile {
 public:
  std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue) override;
  plat::WinError WriteString(std::string_view section, std::string_view key, std::string_view value) override;
};

}  // namespace win32
