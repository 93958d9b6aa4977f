// The menu the extension adds, as data: which entries go in at which
// positions with which identifiers, and what QueryContextMenu answers. The
// COM layer only replays the plan onto the shell's menu. Also the help texts
// of GetCommandString, written to fit the caller's buffer.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "hresult.h"
#include "menu_evaluation.h"
#include "module_state.h"

namespace shellext {

struct MenuEntry {
  bool separator = false;
  std::uint32_t position = 0;
  std::uint32_t commandId = 0;     // idCmdFirst plus the offset
  const MenuItem* item = nullptr;  // null for a separator
};

struct MenuPlan {
  std::vector<MenuEntry> entries;
  HResult result = kSOk;
};

// The entries for `state` inserted from `index` on, and the answer: the
// offset of the last item plus one, as a success code.
MenuPlan PlanMenu(const MenuState& state, const ModuleState& module, std::uint32_t index, std::uint32_t idCmdFirst);

inline constexpr std::uint32_t kGcsUnicode = 0x4;

// Writes the help text of `offset` into `buffer`, which holds the caller's
// `size` characters of the width the request type asks for (UTF-16 with
// GCS_UNICODE, else ANSI). The text is cut to fit, terminator included.
HResult WriteHelpText(std::uint32_t offset, std::uint32_t type, std::span<std::uint8_t> buffer);

}  // namespace shellext
