// ResourceStrings port: a library loaded for its string table.
#pragma once
#include "platform/resource_strings.h"

namespace win32 {

class Win32ResourceStrings final : public plat::ResourceStrings {
 public:
  plat::WinError Load(std::string_view path, plat::Handle* module) override;
  plat::WinError LoadText(plat::Handle module, std::uint32_t id, std::string* out) override;
  void Close(plat::Handle module) override;
};

}  // namespace win32
