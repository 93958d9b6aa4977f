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

std::string DriverDirectory(plat::Spooler& spooler, std::string_view environment) {
  std::string dir;
  if (spooler.GetDriverDirectory(environment, &dir) != winerr::Success) return {};
  return dir;
}

}  // namespace

CPrinterDriver::CPrinterDriver(const plat::DriverInfo& info, PrintingContext& context)
    : version(info.version == kWin9xReportedVersion ? 0 : info.version),
      name(info.name),
      environment(info.environment),
      driverPath(info.driverPath),
      dataFile(info.dataFile),
      configFile(info.configFile),
      helpFile(info.helpFile),
      monitorName(info.monitorName),
      defaultDataType(info.defaultDataType),
      context_(context) {
  if (info.hasDependentFiles) {
    dependentFiles = info.dependentFiles;
    // The main files count as dependent files too, so that file sharing
    // between sets is decided on one list.
    for (const std::string* main : {&helpFile, &configFile, &dataFile, &driverPath}) dependentFiles.push_back(*main);
  }
  if (info.level == 6) {
    previousNames = info.previousNames;
    driverDate = info.driverDate;
    driverVersion = info.driverVersion;
    mfgName = info.mfgName;
    oemUrl = info.oemUrl;
    hardwareId = info.hardwareId;
    provider = info.provider;
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

  plat::Spooler& spooler = context.platform.spooler;
  driverDir = DriverDirectory(spooler, environment);
  win40DriverDir = IsWinNT(os) ? DriverDirectory(spooler, plat::spool::EnvWin40) : driverDir;
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
