// The extension's own ports over Win32: the profile library loaded with
// LoadLibrary and called with the records it expects, CreateProcess for the
// uninstallers, and OutputDebugStringA for the trace.
#pragma once
#include "platform/shell/launcher.h"
#include "platform/shell/profile_library.h"

namespace prnshext {

class Win32ProfileLibrary final : public plat::shell::ProfileLibrary {
 public:
  plat::WinError Load(std::string_view nameOrPath, plat::Handle* module) override;
  void Close(plat::Handle module) override;
  bool HasEntry(plat::Handle module, std::string_view entry) override;
  std::uint32_t EnumSpecificSupportedPrinter(plat::Handle module, std::string_view printerName,
                                             plat::shell::SupportCallback callback,
                                             plat::shell::SupportResult* context) override;
  std::uint32_t DrvProfileWizard(plat::Handle module, const plat::shell::WizardRequest& request) override;
  std::uint32_t CFIRenamePrtObj(plat::Handle module, std::string_view newName, std::string_view oldName) override;
};

class Win32Launcher final : public plat::shell::Launcher {
 public:
  plat::WinError Start(std::string_view commandLine, std::uint32_t creationFlags, std::uint32_t show) override;
};

class DebugTrace final : public plat::shell::Trace {
 public:
  void Write(std::string_view text) override;
};

}  // namespace prnshext
