// The printer list's choice of a default: when the removal took the user's
// default printer, the first printer left takes its place.
#include <optional>
#include <string>

#include "platform/win_errors.h"
#include "printing/default_printer_key.h"
#include "printing/printer_list.h"
#include "system/registry_helpers.h"

namespace {

// No device text holds a control character, so this default can only come
// back when win.ini gave nothing.
constexpr char kNoWinIniEntry[] = "\x01";

// "name,driver,port" (win.ini) or "name,winspool,port" (registry). Empty
// when no default is set; nullopt when one may be set but cannot be read.
std::optional<std::string> CurrentDefaultText(PrintingContext& context) {
  if (!IsWinNT(context.os())) {
    // win.ini answers a missing entry and one it could not read alike; as
    // either may hide another maker's default, neither is overwritten.
    std::string text = context.platform.profile.GetString("windows", "device", kNoWinIniEntry);
    if (text == kNoWinIniEntry) return std::nullopt;
    return text;
  }
  plat::Registry& registry = context.platform.registry;
  plat::HKey raw = plat::kNoHandle;
  const plat::WinError openError =
      registry.OpenKey(plat::kHkeyCurrentUser, kWindowsDeviceKey, plat::keyaccess::Read, &raw);
  if (openError == winerr::FileNotFound) return std::string();
  if (openError != winerr::Success) return std::nullopt;
  plat::UniqueKey key(registry, raw);
  plat::RegValue value;
  const plat::WinError queryError = registry.QueryValue(key.get(), "Device", &value);
  if (queryError == winerr::FileNotFound) return std::string();
  if (queryError != winerr::Success) return std::nullopt;
  if (value.type != plat::RegType::Sz && value.type != plat::RegType::ExpandSz) return std::nullopt;
  return value.AsText();
}

// The text before the first comma; a text without one names no printer.
std::string PrinterNameOf(const std::string& deviceText) {
  const auto comma = deviceText.find(',');
  return comma == std::string::npos ? std::string() : deviceText.substr(0, comma);
}

}  // namespace

void CPrinterList::ChooseNewDefault() {
  // A default that cannot be read may be a printer still here, another
  // maker's: writing one would overwrite it.
  const std::optional<std::string> deviceText = CurrentDefaultText(context_);
  if (!deviceText) return;
  const std::string defaultName = PrinterNameOf(*deviceText);
  CPrinter* candidate = nullptr;
  for (const auto& printer : printers_) {
    if (printer->state == RemovalState::Removed) continue;
    if (printer->name == defaultName) return;  // the default is still there
    if (!candidate) candidate = printer.get();
  }
  if (candidate) candidate->MakeDefault();
}
