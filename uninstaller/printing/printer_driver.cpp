#include "printing/printer_driver.h"

#include <algorithm>

#include "maker/maker_identity.h"
#include "platform/text.h"
#include "platform/win_errors.h"
#include "platform/win_path.h"
#include "printing/driver_family.h"

namespace {

// The 9x spooler reports its drivers with version 1024; they are the
// version-0 drivers of that system.
constexpr std::uint32_t kWin9xReportedVersion = 1024;

}  // namespace

CPrinterDriver::CPrinterDriver(plat::DriverInfo info, std::string driverDir, std::string win40DriverDir,
                               PrintingContext& context)
    : plat::DriverInfo(std::move(info)), driverDir(std::move(driverDir)), win40DriverDir(std::move(win40DriverDir)),
      context_(context) {
  if (version == kWin9xReportedVersion) version = 0;
  if (hasDependentFiles) {
    // The main files count as dependent files too, so that file sharing
    // between sets is decided on one list. Reserved, so that growing the
    // list does not move every name of every driver once more.
    dependentFiles.reserve(dependentFiles.size() + 4);
    for (const std::string* main : {&helpFile, &configFile, &dataFile, &driverPath}) dependentFiles.push_back(*main);
  } else {
    dependentFiles.clear();
  }

  const OsKind os = context.os();
  displayName = name + std::string(DisplayNameSuffix(os, version));

  // The maker's own record of the driver's setup on the 9x family. Without a
  // name the path would be the whole DRIVERSETUP key of every driver.
  if (IsWin9x(os) && !name.empty()) {
    RegRemoval setupRecord;
    setupRecord.root = plat::kHkeyLocalMachine;
    setupRecord.keyPath = std::string(maker::kDriverSetupKey) + "\\" + name;
    regRemovals.push_back(std::move(setupRecord));
  }
}

bool CPrinterDriver::ListsFile(std::string_view file) const {
  return std::any_of(dependentFiles.begin(), dependentFiles.end(),
                     [&](const std::string& listed) { return text::IEquals(listed, file); });
}

std::vector<std::string> CPrinterDriver::FilesForSharing() const {
  if (!dependentFiles.empty()) return dependentFiles;
  std::vector<std::string> mainFiles;
  for (const std::string* main : {&driverPath, &dataFile, &configFile, &helpFile}) {
    if (!main->empty()) mainFiles.push_back(*main);
  }
  return mainFiles;
}

bool CPrinterDriver::NeedsFile(std::string_view file) const {
  const std::string key = winpath::ComparisonKey(file);
  for (const std::string& needed : FilesForSharing()) {
    if (winpath::ComparisonKey(needed) == key) return true;
  }
  return false;
}

bool CPrinterDriver::IsKnownFamily() const {
  return IsPclFamilyFile(driverPath, version) || IsPostScriptFamilyFile(driverPath, version);
}
