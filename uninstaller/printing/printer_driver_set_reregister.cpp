// Re-registering the drivers of one set without their network monitors. A
// driver already removed in this run is passed over: registering it again
// would bring it back into the spooler.
#include "platform/win_errors.h"
#include "printing/printer_driver_set.h"

plat::WinError CPrinterDriverSet::DetachNetworkMonitors() {
  plat::WinError first = winerr::Success;
  for (auto& driver : drivers) {
    if (driver->state == RemovalState::Removed) continue;
    const plat::WinError result = driver->DetachNetworkMonitor();
    if (first == winerr::Success) first = result;
  }
  return first;
}
