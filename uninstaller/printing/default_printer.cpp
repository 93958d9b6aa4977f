// The user's default printer: when the removal took it, the first printer
// left takes its place.
#include "platform/win_errors.h"
#include "printing/printer_driver_set.h"
#include "printing/printer_list.h"
#include "system/registry_helpers.h"

namespace {

constexpr char kWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

// "name,driver,port" (win.ini) or "name,winspool,port" (registry).
std::string CurrentDefaultText(PrintingContext& context) {
  if (IsWinNT(context.os()))
    return RegGetString(context.platform.registry, plat::kHkeyCurrentUser, kWindowsKey, "Device");
  return context.platform.profile.GetString("windows", "device", "");
}

// The text before the first comma; a text without one names no printer.
std::string PrinterNameOf(const std::string& deviceText) {
  const auto comma = deviceText.find(',');
  return comma == std::string::npos ? std::string() : deviceText.substr(0, comma);
}

}  // namespace

void CPrinterList::ChooseNewDefault() {
  const std::string defaultName = PrinterNameOf(CurrentDefaultText(context_));
  CPrinter* candidate = nullptr;
  for (const auto& printer : printers_) {
    if (printer->state == RemovalState::Removed) continue;
    if (printer->name == defaultName) return;  // the default is still there
    if (!candidate) candidate = printer.get();
  }
  if (candidate) candidate->MakeDefault();
}

void CPrinter::MakeDefault() {
  plat::Platform& platform = context_.platform;
  if (IsWinNT(context_.os())) {
    RegSetString(platform.registry, plat::kHkeyCurrentUser, kWindowsKey, "Device", name + ",winspool," + portName);
    return;
  }
  // win.ini names the driver file; without a set there is none to name.
  if (!driverSet) return;
  platform.profile.WriteString("Windows", "device", name + "," + driverSet->NativeDriverPath() + "," + portName);
  platform.desktop.BroadcastWinIniChange("Windows");
}
