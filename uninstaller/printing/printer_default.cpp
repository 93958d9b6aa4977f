// A printer becoming the user's default: the registry's "Device" value on NT,
// win.ini's device line on the 9x family.
#include <string>

#include "printing/default_printer_key.h"
#include "printing/printer.h"
#include "printing/printer_driver_set.h"
#include "system/registry_helpers.h"

void CPrinter::MakeDefault() {
  plat::Platform& platform = context_.platform;
  if (IsWinNT(context_.os())) {
    // Choosing a new default is a courtesy after a removal; nothing waits on it.
    static_cast<void>(RegSetString(platform.registry, plat::kHkeyCurrentUser, kWindowsDeviceKey, "Device",
                                   name + ",winspool," + portName));
    return;
  }
  // win.ini names the driver file; without a set there is none to name.
  if (!driverSet) return;
  // The default printer is a convenience: a refused change leaves the old one.
  static_cast<void>(
      platform.profile.WriteString("Windows", "device", name + "," + driverSet->NativeDriverPath() + "," + portName));
  static_cast<void>(platform.desktop.BroadcastWinIniChange("Windows"));
}
