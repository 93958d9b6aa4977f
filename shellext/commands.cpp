#include "commands.h"

#include "printer_lookup.h"
#include "profile_loader.h"

namespace shellext {
namespace {

constexpr std::size_t kCommandLineBytes = 779;  // of the 780-byte buffer CreateProcess may write into

HResult ProfileCommand(const plat::shell::ShellPlatform& p, const ModuleState& module,
                       const std::vector<std::string>& printerNames, plat::Handle ownerWindow, std::uint32_t mode) {
  const std::string printer = printerNames.empty() ? std::string() : printerNames.front();
  // The wizard reports its own failures; the command succeeds regardless.
  static_cast<void>(RunProfileWizard(p, module, ownerWindow, printer, mode));
  return kSOk;
}

HResult UninstallCommand(const plat::shell::ShellPlatform& p, const std::string& command) {
  if (command.empty()) return kEInvalidArg;
  const std::string line = command.substr(0, kCommandLineBytes);
  // Nobody waits for the uninstaller, so whether it started is not reported.
  static_cast<void>(p.launcher.Start(line, plat::shell::kCreateNewConsole | plat::shell::kNormalPriorityClass,
                                     plat::shell::kShowNormal));
  return kSOk;
}

}  // namespace

std::optional<std::string> FindDriverHelpFile(plat::Spooler& spooler, std::string_view printerName) {
  if (printerName.empty()) return std::nullopt;
  std::vector<plat::DriverInfo> drivers;
  // The current environment of the local machine, as EnumPrinterDrivers with
  // no environment lists it.
  if (spooler.EnumDrivers({}, 3, &drivers).failed() || drivers.empty()) return std::nullopt;
  const auto printer = ReadPrinterInfo(spooler, printerName);
  if (!printer) return std::nullopt;
  for (const auto& d : drivers) {
    if (d.name != printer->driverName) continue;
    if (d.helpFile.empty()) return std::nullopt;
    return d.helpFile;
  }
  return std::nullopt;
}

std::uint32_t RunProfileWizard(const plat::shell::ShellPlatform& p, const ModuleState& module,
                               plat::Handle ownerWindow, std::string_view printerName, std::uint32_t mode) {
  auto library = LoadCfiLibrary(module, p.spooler, p.profileLibrary);
  if (!library) return kLibraryNotLoaded;
  if (!p.profileLibrary.HasEntry(library.get(), "DrvProfileWizard")) return kLibraryEntryMissing;
  const auto helpFile = FindDriverHelpFile(p.spooler, printerName);
  if (!helpFile) return kWizardNoHelpFile;
  plat::shell::WizardRequest request{std::string(printerName), *helpFile, ownerWindow, mode};
  return p.profileLibrary.DrvProfileWizard(library.get(), request);
}

HResult InvokeCommand(const plat::shell::ShellPlatform& p, const ModuleState& module, const MenuState& menu,
                      const std::vector<std::string>& printerNames, bool verbIsString, std::uint32_t offset,
                      plat::Handle ownerWindow) {
  p.trace.Write("CShellExt::InvokeCommand()\r\n");
  if (verbIsString) return kEFail;
  if (offset > kLastOffset) return kEInvalidArg;
  const MenuItem& item = kMenuItems[offset];
  p.trace.Write(item.handlerTrace);
  if (item.bit == kExportBit) return ProfileCommand(p, module, printerNames, ownerWindow, plat::shell::kWizardExport);
  if (item.bit == kImportBit) return ProfileCommand(p, module, printerNames, ownerWindow, plat::shell::kWizardImport);
  return UninstallCommand(p, menu.CommandOf(item));
}

}  // namespace shellext
