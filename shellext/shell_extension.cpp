#include "shell_extension.h"

#include "commands.h"
#include "printer_rename.h"
#include "selection.h"

namespace shellext {

HResult ShellExtension::Initialize(const FriendlyNameData* data) {
  p_.trace.Write("CShellExt::Initialize()\r\n");
  suppressMenu_ = false;
  if (!data || Failed(data->status)) return kEFail;
  if (data->status != kSOk) return data->status;
  const Selection selection = ReadFriendlyNames(data->block, module_.IsNT());
  printerNames_.insert(printerNames_.end(), selection.printerNames.begin(), selection.printerNames.end());
  if (selection.addPrinterObjectSeen && printerNames_.empty()) suppressMenu_ = true;
  return kSOk;
}

MenuPlan ShellExtension::QueryContextMenu(std::uint32_t index, std::uint32_t idCmdFirst) {
  p_.trace.Write("CShellExt::QueryContextMenu()\r\n");
  if (suppressMenu_) return {};
  firstCommandId_ = idCmdFirst;
  menu_ = EvaluateMenu(p_, module_, printerNames_);
  return PlanMenu(menu_, module_, index, idCmdFirst);
}

HResult ShellExtension::GetCommandString(std::uint32_t offset, std::uint32_t type, std::span<std::uint8_t> buffer) {
  p_.trace.Write("CShellExt::GetCommandString()\r\n");
  return WriteHelpText(offset, type, buffer);
}

HResult ShellExtension::InvokeCommand(bool verbIsString, std::uint32_t offset, plat::Handle ownerWindow) {
  return shellext::InvokeCommand(p_, module_, menu_, printerNames_, verbIsString, offset, ownerWindow);
}

std::uint32_t ShellExtension::CopyCallback(plat::Handle window, std::uint32_t operation, std::string_view source,
                                           std::string_view destination) {
  return shellext::CopyCallback(p_, module_, window, operation, source, destination);
}

}  // namespace shellext
