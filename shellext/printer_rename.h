// The rename hook: when a printer gets a new name, the maker's profile
// library carries its settings over; on the 9x family, when the library does
// not, the extension copies the driver's registry settings of the maker's
// older drivers itself. Nothing here ever blocks or cancels the rename.
#pragma once
#include <cstdint>
#include <string_view>

#include "module_state.h"
#include "platform/shell/shell_platform.h"

namespace shellext {

inline constexpr std::uint32_t kPoRename = 0x14;
inline constexpr std::uint32_t kIdYes = 6;

// ICopyHook::CopyCallback for printer objects; always IDYES.
std::uint32_t CopyCallback(const plat::shell::ShellPlatform& p, const ModuleState& module, plat::Handle window,
                           std::uint32_t operation, std::string_view sourceName, std::string_view destinationName);

// CFIRenamePrtObj's result, or 10 / 11 when the library or its entry is
// missing; 0 without calling anything when a name is empty.
std::uint32_t HandlePrinterRename(const plat::shell::ShellPlatform& p, const ModuleState& module,
                                  std::string_view oldName, std::string_view newName);

// Whether the printer's driver file is one of the maker's 9x drivers.
bool IsVendorLegacyDriver(plat::Spooler& spooler, std::string_view printerName);

// Copies the values of the new name's "PrinterDriverData" into the old
// name's, creating the old name's keys when they are missing.
void CopyPrinterDriverData(plat::Registry& registry, std::string_view oldName, std::string_view newName);

}  // namespace shellext
