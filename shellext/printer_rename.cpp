#include "printer_rename.h"

#include <array>
#include <string>

#include "platform/text.h"
#include "commands.h"
#include "printer_lookup.h"
#include "profile_loader.h"

namespace shellext {
namespace {

constexpr std::uint32_t kPrinterAllAccess = 0xF000C;
constexpr std::array<std::string_view, 4> kLegacyDriverFiles{"VORPS.DRV", "VKPCL5C.DRV", "VKPCL5D.DRV",
                                                             "VKIJ72XX.DRV"};
constexpr std::string_view kPrintersKey = "System\\CurrentControlSet\\control\\print\\printers\\";
constexpr std::string_view kDriverDataKey = "PrinterDriverData";
constexpr std::size_t kKeyPathBytes = 259;  // the 260-byte buffer the paths are built in

std::string PrinterKey(std::string_view printer) {
  return (std::string(kPrintersKey) + std::string(printer)).substr(0, kKeyPathBytes);
}

}  // namespace

std::uint32_t HandlePrinterRename(const plat::shell::ShellPlatform& p, const ModuleState& module,
                                  std::string_view oldName, std::string_view newName) {
  if (oldName.empty() || newName.empty()) return 0;
  std::uint32_t result = kLibraryNotLoaded;
  if (auto library = LoadCfiLibrary(module, p.spooler, p.profileLibrary)) {
    result = p.profileLibrary.HasEntry(library.get(), "CFIRenamePrtObj")
                 ? p.profileLibrary.CFIRenamePrtObj(library.get(), newName, oldName)
                 : kLibraryEntryMissing;
  }
  if (module.Is9x() && result != 0 && IsVendorLegacyDriver(p.spooler, newName))
    CopyPrinterDriverData(p.registry, oldName, newName);
  return result;
}

bool IsVendorLegacyDriver(plat::Spooler& spooler, std::string_view printerName) {
  const auto driver = ReadPrinterDriver(spooler, printerName, kPrinterAllAccess);
  if (!driver) return false;
  const auto slash = driver->driverPath.find_last_of('\\');
  const std::string file =
      (slash == std::string::npos ? driver->driverPath : driver->driverPath.substr(slash + 1)).substr(0, 255);
  for (const auto known : kLegacyDriverFiles)
    if (text::IEquals(file, known)) return true;
  return false;
}

void CopyPrinterDriverData(plat::Registry& registry, std::string_view oldName, std::string_view newName) {
  plat::HKey printerKey = plat::kNoHandle;
  if (registry.CreateKey(plat::kHkeyLocalMachine, PrinterKey(oldName), "", plat::keyaccess::AllAccess, &printerKey,
                         nullptr)
          .failed())
    return;
  plat::UniqueKey holdPrinter(registry, printerKey);
  plat::HKey target = plat::kNoHandle;
  if (registry.CreateKey(printerKey, kDriverDataKey, "", plat::keyaccess::AllAccess, &target, nullptr).failed())
    return;
  plat::UniqueKey holdTarget(registry, target);
  plat::HKey source = plat::kNoHandle;
  const std::string sourcePath = (PrinterKey(newName) + "\\" + std::string(kDriverDataKey)).substr(0, kKeyPathBytes);
  if (registry.OpenKey(plat::kHkeyLocalMachine, sourcePath, plat::keyaccess::Read, &source).failed()) return;
  plat::UniqueKey holdSource(registry, source);

  // The key's value count bounds the walk, so that a value failing over and
  // over cannot keep it going.
  plat::RegKeyInfo info;
  if (registry.QueryInfo(source, &info).failed()) return;
  for (std::uint32_t index = 0; index < info.values; ++index) {
    std::string name;
    plat::RegValue value;
    const auto e = registry.EnumValue(source, index, &name, &value);
    if (e == winerr::NoMoreItems) break;
    // A value that cannot be read is left behind; the others still go.
    if (e.failed()) continue;
    static_cast<void>(registry.SetValue(target, name, value));  // a copy that fails is not reported
  }
}

std::uint32_t CopyCallback(const plat::shell::ShellPlatform& p, const ModuleState& module, plat::Handle,
                           std::uint32_t operation, std::string_view sourceName, std::string_view destinationName) {
  if (operation == kPoRename) static_cast<void>(HandlePrinterRename(p, module, sourceName, destinationName));
  return kIdYes;
}

}  // namespace shellext
