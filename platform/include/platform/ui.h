// UI port: everything the uninstaller shows. For now the message box; the
// wizard, progress run and completion dialog join it.
#pragma once
#include <cstdint>
#include <string>

#include "platform/handle.h"

namespace plat {

namespace mb {
// Buttons.
inline constexpr std::uint32_t Ok = 0x0;
inline constexpr std::uint32_t OkCancel = 0x1;
inline constexpr std::uint32_t YesNoCancel = 0x3;
inline constexpr std::uint32_t YesNo = 0x4;
// Icons.
inline constexpr std::uint32_t IconError = 0x10;
inline constexpr std::uint32_t IconQuestion = 0x20;
inline constexpr std::uint32_t IconWarning = 0x30;
inline constexpr std::uint32_t IconInformation = 0x40;
inline constexpr std::uint32_t ButtonMask = 0x0F;
inline constexpr std::uint32_t IconMask = 0xF0;
// Answers.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;
inline constexpr int IdYes = 6;
inline constexpr int IdNo = 7;
}  // namespace mb

class Ui {
 public:
  virtual ~Ui() = default;
  // MessageBox. `owner` kNoHandle: no owner window. Returns the answer (IdOk,
  // IdYes...), or 0 when the box could not be shown.
  virtual int ShowMessage(Handle owner, const std::string& text, const std::string& caption,
                          std::uint32_t flags) = 0;
};

}  // namespace plat
