#include "spool_records.h"

#include "wide.h"

namespace win32 {

std::string FromSpool(const wchar_t* text) { return text ? Narrow(text) : std::string(); }

std::vector<std::string> FromMultiSz(const wchar_t* list) {
  std::vector<std::string> entries;
  if (!list) return entries;
  for (const wchar_t* p = list; *p; p += wcslen(p) + 1) entries.push_back(Narrow(p));
  return entries;
}

std::wstring ToMultiSz(const std::vector<std::string>& entries) {
  std::wstring list;
  for (const std::string& entry : entries) {
    if (entry.empty()) continue;  // an empty entry would end the list early
    list += Wide(entry);
    list.push_back(L'\0');
  }
  list.push_back(L'\0');
  if (list.size() == 1) list.push_back(L'\0');
  return list;
}

plat::PrinterInfo FromPrinterInfo2(const PRINTER_INFO_2W& r) {
  plat::PrinterInfo p;
  p.serverName = FromSpool(r.pServerName);
  p.printerName = FromSpool(r.pPrinterName);
  p.shareName = FromSpool(r.pShareName);
  p.portName = FromSpool(r.pPortName);
  p.driverName = FromSpool(r.pDriverName);
  p.printProcessor = FromSpool(r.pPrintProcessor);
  p.datatype = FromSpool(r.pDatatype);
  p.attributes = r.Attributes;
  p.status = r.Status;
  p.jobs = r.cJobs;
  return p;
}

plat::DriverInfo FromDriverInfo3(const DRIVER_INFO_3W& r) {
  plat::DriverInfo d;
  d.level = 3;
  d.version = r.cVersion;
  d.name = FromSpool(r.pName);
  d.environment = FromSpool(r.pEnvironment);
  d.driverPath = FromSpool(r.pDriverPath);
  d.dataFile = FromSpool(r.pDataFile);
  d.configFile = FromSpool(r.pConfigFile);
  d.helpFile = FromSpool(r.pHelpFile);
  d.hasDependentFiles = r.pDependentFiles != nullptr;
  d.dependentFiles = FromMultiSz(r.pDependentFiles);
  d.monitorName = FromSpool(r.pMonitorName);
  d.defaultDataType = FromSpool(r.pDefaultDataType);
  return d;
}

plat::DriverInfo FromDriverInfo6(const DRIVER_INFO_6W& r) {
  // The first eleven fields are those of level 3.
  const DRIVER_INFO_3W three{r.cVersion,    r.pName,      r.pEnvironment,    r.pDriverPath,
                             r.pDataFile,   r.pConfigFile, r.pHelpFile,      r.pDependentFiles,
                             r.pMonitorName, r.pDefaultDataType};
  plat::DriverInfo d = FromDriverInfo3(three);
  d.level = 6;
  d.previousNames = FromMultiSz(r.pszzPreviousNames);
  d.driverDate = (static_cast<std::uint64_t>(r.ftDriverDate.dwHighDateTime) << 32) | r.ftDriverDate.dwLowDateTime;
  d.driverVersion = r.dwlDriverVersion;
  d.mfgName = FromSpool(r.pszMfgName);
  d.oemUrl = FromSpool(r.pszOEMUrl);
  d.hardwareId = FromSpool(r.pszHardwareID);
  d.provider = FromSpool(r.pszProvider);
  return d;
}

DriverRecord::DriverRecord(const plat::DriverInfo& info) : level_(info.level == 6 ? 6 : 3) {
  strings_.reserve(16);
  record_.cVersion = info.version;
  record_.pName = Keep(info.name);
  record_.pEnvironment = Keep(info.environment);
  record_.pDriverPath = Keep(info.driverPath);
  record_.pDataFile = Keep(info.dataFile);
  record_.pConfigFile = Keep(info.configFile);
  record_.pHelpFile = Keep(info.helpFile);
  record_.pDependentFiles =
      info.dependentFiles.empty() && !info.hasDependentFiles ? nullptr : KeepList(ToMultiSz(info.dependentFiles));
  record_.pMonitorName = Keep(info.monitorName);
  record_.pDefaultDataType = Keep(info.defaultDataType);
  if (level_ != 6) return;
  record_.pszzPreviousNames = info.previousNames.empty() ? nullptr : KeepList(ToMultiSz(info.previousNames));
  record_.ftDriverDate.dwLowDateTime = static_cast<DWORD>(info.driverDate);
  record_.ftDriverDate.dwHighDateTime = static_cast<DWORD>(info.driverDate >> 32);
  record_.dwlDriverVersion = info.driverVersion;
  record_.pszMfgName = Keep(info.mfgName);
  record_.pszOEMUrl = Keep(info.oemUrl);
  record_.pszHardwareID = Keep(info.hardwareId);
  record_.pszProvider = Keep(info.provider);
}

LPWSTR DriverRecord::Keep(const std::string& text) {
  if (text.empty()) return nullptr;
  return KeepList(Wide(text));
}

LPWSTR DriverRecord::KeepList(std::wstring list) {
  // The address is taken once the string is in place; the vector is reserved
  // for more strings than a record has, so it never moves them.
  strings_.push_back(std::move(list));
  return strings_.back().data();
}

}  // namespace win32
