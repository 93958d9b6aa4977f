#include "menu_evaluation.h"

#include <initializer_list>

#include "platform/text.h"
#include "printer_lookup.h"
#include "profile_loader.h"

namespace shellext {
namespace {

constexpr std::size_t kUninstallBufferBytes = 779;  // of a 780-byte buffer, one kept for the terminator

bool ContainsAny(std::string_view s, std::initializer_list<std::string_view> words) {
  for (const auto w : words)
    if (s.find(w) != std::string_view::npos) return true;
  return false;
}

bool IContains(std::string_view s, std::string_view word) {
  return text::Fold(s).find(text::Fold(word)) != std::string::npos;
}

void RegisterUninstaller(const plat::shell::ShellPlatform& p, MenuState& state, const MenuItem& item) {
  auto& command = state.uninstallCommand[item.offset - kFirstUninstallOffset];
  if (!command.empty()) return;
  plat::HKey key = plat::kNoHandle;
  if (p.registry.OpenKey(plat::kHkeyLocalMachine, kUninstallKey, plat::keyaccess::Read, &key).failed()) return;
  plat::UniqueKey hold(p.registry, key);
  plat::RegValue value;
  if (p.registry.QueryValue(key, item.registryValue, &value).failed()) return;
  // A value that does not fit the buffer fails to read, as ERROR_MORE_DATA would.
  if (value.data.empty() || value.data.size() > kUninstallBufferBytes) return;
  const std::string path = value.AsText();
  std::uint32_t attributes = plat::kInvalidFileAttributes;
  if (path.empty() || p.files.GetAttributes(path, &attributes).failed() ||
      (attributes & plat::fileattr::Directory))
    return;
  command = path;
  state.itemFlags |= item.bit;
}

void EvaluatePrinter(const plat::shell::ShellPlatform& p, plat::Handle library, std::size_t selected,
                     std::string_view printerName, MenuState& state) {
  plat::shell::SupportResult result;
  if (p.profileLibrary.EnumSpecificSupportedPrinter(library, printerName, &DrvProfileSupportCallback, &result) != 0)
    return;
  if (selected == 1) {
    if (result.exportSupported) state.itemFlags |= kExportBit;
    if (result.importSupported) state.itemFlags |= kImportBit;
  }
  std::uint32_t family = result.familyCode;
  if (const auto info = ReadPrinterInfo(p.spooler, printerName); info && !info->driverName.empty())
    if (const auto brand = BrandFamily(info->driverName)) family = brand;
  if (const auto* item = ItemForFamily(family)) RegisterUninstaller(p, state, *item);
}

}  // namespace

std::uint32_t BrandFamily(std::string_view driverName) {
  if (ContainsAny(driverName, {"Sundara", "SUNDARA", "sundara"})) return 4;
  if (ContainsAny(driverName, {"BREVIK", "Brevik", "brevik"})) return 6;
  if (ContainsAny(driverName, {"TALMOR", "Talmor", "talmor"})) return 7;
  if (text::IEndsWith(driverName, "Q250c")) return 8;
  if (IContains(driverName, "Vorkast Document Distributor")) return 9;
  return 0;
}

MenuState EvaluateMenu(const plat::shell::ShellPlatform& p, const ModuleState& module,
                       const std::vector<std::string>& printerNames) {
  MenuState state;
  if (printerNames.empty()) return state;
  if (auto library = LoadCfiLibrary(module, p.spooler, p.profileLibrary)) {
    if (p.profileLibrary.HasEntry(library.get(), "EnumSpecificSupportedPrinter")) {
      for (const auto& name : printerNames) {
        if (name.empty()) continue;
        EvaluatePrinter(p, library.get(), printerNames.size(), name, state);
        if (state.itemFlags == kAllItems) break;
      }
    }
  }
  if (!module.IsNT()) return state;
  if (!module.isAdministrator) state.itemFlags &= ~(kMakerUninstallBit | kGenericUninstallBit);
  if (!module.isAdministrator && !module.isPowerUser) state.itemFlags &= ~kImportBit;
  if (printerNames.size() == 1 && (state.itemFlags & kImportBit)) {
    const auto info = ReadPrinterInfo(p.spooler, printerNames.front());
    if (info && !info->serverName.empty()) state.itemFlags &= ~kImportBit;
  }
  return state;
}

}  // namespace shellext
