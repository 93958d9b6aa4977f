// What the menu's commands do: the profile wizard of the maker's library for
// the selected printer, and the uninstallers started as programs of their own.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hresult.h"
#include "menu_evaluation.h"
#include "module_state.h"
#include "platform/shell/shell_platform.h"

namespace shellext {

// RunProfileWizard's own results, besides the wizard's return value.
inline constexpr std::uint32_t kWizardNoRequest = 2;
inline constexpr std::uint32_t kWizardNoHelpFile = 7;
inline constexpr std::uint32_t kLibraryNotLoaded = 10;
inline constexpr std::uint32_t kLibraryEntryMissing = 11;

// The help file of the printer's driver: the first driver record of the
// local machine whose name equals the printer's driver name with case.
std::optional<std::string> FindDriverHelpFile(plat::Spooler& spooler, std::string_view printerName);

std::uint32_t RunProfileWizard(const plat::shell::ShellPlatform& p, const ModuleState& module,
                               plat::Handle ownerWindow, std::string_view printerName, std::uint32_t mode);

// InvokeCommand with a verb given as a number (`verbIsString` when its high
// word was set).
HResult InvokeCommand(const plat::shell::ShellPlatform& p, const ModuleState& module, const MenuState& menu,
                      const std::vector<std::string>& printerNames, bool verbIsString, std::uint32_t offset,
                      plat::Handle ownerWindow);

}  // namespace shellext
