// Ui port: real message boxes.
#pragma once
#include "platform/ui.h"

namespace win32 {

class Win32Ui final : public plat::Ui {
 public:
  int ShowMessage(plat::Handle owner, const std::string& text, const std::string& caption,
                  std::uint32_t flags) override;
};

}  // namespace win32
