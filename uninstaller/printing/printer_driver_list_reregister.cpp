// Re-registering many drivers at once: the network monitors of the maker's
// drivers, and component files that no driver may keep naming. A driver
// already removed in this run is passed over: registering it again would
// bring it back into the spooler.
#include "platform/win_errors.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_driver_set.h"

plat::WinError CPrinterDriverList::DetachNetworkMonitors() {
  plat::WinError first = winerr::Success;
  for (auto& set : sets_) {
    if (!set->isMaker || !set->AnyDriverPresent()) continue;
    const plat::WinError result = set->DetachNetworkMonitors();
    if (first == winerr::Success) first = result;
  }
  return first;
}

void CPrinterDriverList::RemoveFilesFromAllDrivers(const std::vector<std::string>& files) {
  for (auto& set : sets_) {
    if (!set->AnyDriverPresent()) continue;
    for (auto& driver : set->drivers) {
      // A driver the spooler will not take back keeps its old list; the files still go.
      if (driver->state != RemovalState::Removed) static_cast<void>(driver->RemoveDependentFiles(files));
    }
  }
}
