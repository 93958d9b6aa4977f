// Installs drivers and printers through the real spooler, the way a driver
// installer would, for the end-to-end test to find and remove again.
#pragma once
#include <string>

#include "scenario.h"

namespace e2e {

// Copies `fakeDll` under each of the driver's file names into the driver
// directory (where the spooler picks files up) and registers the driver at
// level 3 for "Windows NT x86", version 3. Empty result: done; else why not.
std::string InstallDriver(const std::string& fakeDll, const std::string& driverDir, const DriverSeed& driver);
// AddPrinter at level 2 with the "WinPrint" processor.
std::string InstallPrinter(const PrinterSeed& printer);

}  // namespace e2e
