// The logic behind one CShellExt: the selection of its last Initialize, the
// menu of its last QueryContextMenu, and the commands and renames it is asked
// for. The COM object is a thin layer over this; the Linux runner and the
// tests drive it directly.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "context_menu.h"
#include "hresult.h"
#include "menu_evaluation.h"
#include "module_state.h"
#include "platform/shell/shell_platform.h"

namespace shellext {

// What the data object gave for "PrinterFriendlyName": GetData's result and,
// on S_OK, the bytes of the global memory block.
struct FriendlyNameData {
  HResult status = kSOk;
  std::vector<std::uint8_t> block;
};

class ShellExtension {
 public:
  ShellExtension(const plat::shell::ShellPlatform& platform, const ModuleState& module)
      : p_(platform), module_(module) {}

  // `data` is null when the shell gave no data object.
  HResult Initialize(const FriendlyNameData* data);
  // The entries to insert and the answer; an empty plan when suppressed.
  MenuPlan QueryContextMenu(std::uint32_t index, std::uint32_t idCmdFirst);
  HResult GetCommandString(std::uint32_t offset, std::uint32_t type, std::span<std::uint8_t> buffer);
  HResult InvokeCommand(bool verbIsString, std::uint32_t offset, plat::Handle ownerWindow);
  std::uint32_t CopyCallback(plat::Handle window, std::uint32_t operation, std::string_view source,
                             std::string_view destination);

  const std::vector<std::string>& printerNames() const { return printerNames_; }
  bool suppressMenu() const { return suppressMenu_; }
  const MenuState& menu() const { return menu_; }

 private:
  const plat::shell::ShellPlatform& p_;
  const ModuleState& module_;
  std::vector<std::string> printerNames_;
  bool suppressMenu_ = false;
  std::uint32_t firstCommandId_ = 0;
  MenuState menu_;
};

}  // namespace shellext
