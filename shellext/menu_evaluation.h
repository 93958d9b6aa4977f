// Which of the nine commands a selection of printers gets: what the profile
// library says about each printer, the brand words in its driver name, which
// uninstallers the registry names and the disk holds, and on Windows NT the
// user's groups. Evaluated afresh for every menu, so changes show at once.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "menu_items.h"
#include "module_state.h"
#include "platform/shell/shell_platform.h"

namespace shellext {

struct MenuState {
  std::uint32_t itemFlags = 0;
  // Command lines of the uninstall items, by offset minus 2.
  std::array<std::string, kUninstallItems> uninstallCommand;

  const std::string& CommandOf(const MenuItem& item) const {
    return uninstallCommand[item.offset - kFirstUninstallOffset];
  }
};

MenuState EvaluateMenu(const plat::shell::ShellPlatform& p, const ModuleState& module,
                       const std::vector<std::string>& printerNames);

// The family a driver name's brand words give, tested in their order; 0
// when none matches.
std::uint32_t BrandFamily(std::string_view driverName);

}  // namespace shellext
