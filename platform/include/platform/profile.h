// Profile port: the [windows] section of win.ini, as GetProfileString and
// WriteProfileString reach it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include "platform/win_errors.h"

namespace plat {

class Profile {
 public:
  virtual ~Profile() = default;
  virtual std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue) = 0;
  virtual WinError WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
};

}  // namespace plat
