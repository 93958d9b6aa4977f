// Installing a driver again from its own record, after its file list or its
// language monitor has been changed.
#include <algorithm>

#include "platform/text.h"
#include "platform/win_errors.h"
#include "printing/printer_driver.h"

namespace {

// A level-6 record carries the 2000/XP fields; the spooler of older systems
// only knows level 3, and their drivers are never version 3.
constexpr std::uint32_t kLevel6DriverVersion = 3;

// Monitors that keep a driver in use while the port they serve exists.
constexpr const char* kNetworkMonitors[] = {"Network Printer Monitor", "Network Port"};

}  // namespace

plat::WinError CPrinterDriver::Reregister() {
  plat::DriverInfo info = *this;
  info.level = version == kLevel6DriverVersion ? 6 : 3;
  // Always a list, even an empty one: "no list" would mean "keep none given".
  info.hasDependentFiles = true;
  return context().platform.spooler.AddDriver(info);
}

plat::WinError CPrinterDriver::RemoveDependentFiles(const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    std::erase_if(dependentFiles, [&](const std::string& listed) { return text::IEquals(listed, file); });
  }
  return Reregister();
}

plat::WinError CPrinterDriver::DetachNetworkMonitor() {
  const bool isNetworkMonitor = std::any_of(std::begin(kNetworkMonitors), std::end(kNetworkMonitors),
                                            [&](const char* monitor) { return text::IEquals(monitorName, monitor); });
  if (!isNetworkMonitor) return winerr::Success;
  monitorName.clear();
  return Reregister();
}
