// BidiLibrary port over the maker's "vorbce.dll", loaded for each call.
#pragma once
#include "platform/bidi_library.h"

namespace win32 {

class Win32BidiLibrary final : public plat::BidiLibrary {
 public:
  plat::WinError Uninstall(std::string_view libraryPath, std::int32_t* status) override;
};

}  // namespace win32
