#include "context_menu.h"

#include <string>

#include "platform/text.h"

namespace shellext {

MenuPlan PlanMenu(const MenuState& state, const ModuleState& module, std::uint32_t index, std::uint32_t idCmdFirst) {
  MenuPlan plan;
  if (state.itemFlags == 0) return plan;
  std::uint32_t position = index;
  std::uint32_t lastId = idCmdFirst;
  bool exportInserted = false;
  auto separator = [&] { plan.entries.push_back({true, position++, 0, nullptr}); };
  for (const auto& item : kMenuItems) {
    if (!(state.itemFlags & item.bit)) continue;
    if (item.bit == kExportBit) {
      if (module.Is9x()) separator();
      exportInserted = true;
    } else if (item.bit == kImportBit) {
      if (module.Is9x() && !exportInserted) separator();
    } else {
      separator();
    }
    lastId = idCmdFirst + item.offset;
    plan.entries.push_back({false, position++, lastId, &item});
  }
  plan.result = static_cast<HResult>(static_cast<std::uint16_t>(lastId - idCmdFirst + 1));
  return plan;
}

HResult WriteHelpText(std::uint32_t offset, std::uint32_t type, std::span<std::uint8_t> buffer) {
  if (offset > kLastOffset) return kEInvalidArg;
  const std::string_view help = kMenuItems[offset].helpText;
  if (type & kGcsUnicode) {
    const std::u16string wide = text::Utf8ToUtf16(help);
    const std::size_t room = buffer.size() / 2;
    if (room == 0) return kSOk;
    const std::size_t n = std::min(wide.size(), room - 1);
    for (std::size_t i = 0; i <= n; ++i) {
      const char16_t c = i < n ? wide[i] : u'\0';
      buffer[2 * i] = static_cast<std::uint8_t>(c & 0xFF);
      buffer[2 * i + 1] = static_cast<std::uint8_t>(c >> 8);
    }
  } else {
    if (buffer.empty()) return kSOk;
    const std::size_t n = std::min(help.size(), buffer.size() - 1);
    for (std::size_t i = 0; i < n; ++i) buffer[i] = static_cast<std::uint8_t>(help[i]);
    buffer[n] = 0;
  }
  return kSOk;
}

}  // namespace shellext
