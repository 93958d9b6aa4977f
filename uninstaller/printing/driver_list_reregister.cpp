// Re-registering many drivers at once: the network monitors of the maker's
// drivers, and component files that no driver may keep naming. A driver
// already removed in this run is passed over: registering it again would
// bring it back into the spooler.
#include "platform/win_errors.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_driver_set.h"

std::uint32_t CPrinterDriverSet::DetachNetworkMonitors() {
  std::uint32_t first = winerr::Success;
  for (auto& driver : drivers) {
    if (driver->state == RemovalState::Removed) continue;
    const std::uint32_t result = driver->DetachNetworkMonitor();
    if (first == winerr::Success) first = result;
  }
  return first;
}

std::uint32_t CPrinterDriverList::DetachNetworkMonitors() {
  std::uint32_t first = winerr::Success;
  for (auto& set : sets_) {
    if (!set->isMaker || !set->AnyDriverPresent()) continue;
    const std::uint32_t result = set->DetachNetworkMonitors();
    if (first == winerr::Success) first = result;
  }
  return first;
}

void CPrinterDriverList::RemoveFilesFromAllDrivers(const std::vector<std::string>& files) {
  for (auto& set : sets_) {
    if (!set->AnyDriverPresent()) continue;
    for (auto& driver : set->drivers) {
      if (driver->state != RemovalState::Removed) driver->RemoveDependentFiles(files);
    }
  }
}
