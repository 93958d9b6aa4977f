#include "seed.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "platform/text.h"

namespace e2e {
namespace {

std::wstring W(const std::string& utf8) {
  const std::u16string u = text::Utf8ToUtf16(utf8);
  return std::wstring(u.begin(), u.end());
}

std::string Failed(const char* what, const std::string& name) {
  return std::string(what) + " failed for \"" + name + "\" with error " + std::to_string(GetLastError());
}

LPWSTR OrNull(std::wstring& s) { return s.empty() ? nullptr : s.data(); }

}  // namespace

std::string InstallDriver(const std::string& fakeDll, const std::string& driverDir, const DriverSeed& driver) {
  std::vector<std::string> files = {driver.driverFile, driver.configFile, driver.dataFile};
  if (!driver.helpFile.empty()) files.push_back(driver.helpFile);
  files.insert(files.end(), driver.dependentFiles.begin(), driver.dependentFiles.end());
  for (const std::string& file : files) {
    const std::wstring target = W(driverDir + "\\" + file);
    if (!CopyFileW(W(fakeDll).c_str(), target.c_str(), FALSE)) return Failed("CopyFile", file);
  }

  std::wstring name = W(driver.name), env = L"Windows NT x86";
  std::wstring driverPath = W(driverDir + "\\" + driver.driverFile);
  std::wstring configFile = W(driverDir + "\\" + driver.configFile);
  std::wstring dataFile = W(driverDir + "\\" + driver.dataFile);
  std::wstring helpFile = driver.helpFile.empty() ? std::wstring() : W(driverDir + "\\" + driver.helpFile);
  std::wstring dependents;
  for (const std::string& file : driver.dependentFiles) dependents += W(file) + L'\0';
  dependents += L'\0';

  DRIVER_INFO_3W info{};
  info.cVersion = 3;
  info.pName = name.data();
  info.pEnvironment = env.data();
  info.pDriverPath = driverPath.data();
  info.pDataFile = dataFile.data();
  info.pConfigFile = configFile.data();
  info.pHelpFile = OrNull(helpFile);
  info.pDependentFiles = dependents.data();
  // The spooler copies the files into its version folder ("3").
  if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<LPBYTE>(&info), APD_COPY_NEW_FILES))
    return Failed("AddPrinterDriverEx", driver.name);
  return {};
}

std::string InstallPrinter(const PrinterSeed& printer) {
  std::wstring name = W(printer.name), driver = W(printer.driver), port = W(printer.port);
  std::wstring processor = L"WinPrint", datatype = L"RAW";
  PRINTER_INFO_2W info{};
  info.pPrinterName = name.data();
  info.pPortName = port.data();
  info.pDriverName = driver.data();
  info.pPrintProcessor = processor.data();
  info.pDatatype = datatype.data();
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  const HANDLE h = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  if (!h) return Failed("AddPrinter", printer.name);
  ClosePrinter(h);
  return {};
}

}  // namespace e2e
