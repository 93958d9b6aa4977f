// Spooler port: printers, jobs, drivers and print processors, shaped like the
// winspool calls the uninstaller makes. Records come back whole (no size
// queries); strings the spooler leaves out arrive as empty strings. Method
// names differ from winspool's where those are A/W macros.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/handle.h"
#include "platform/win_errors.h"

namespace plat {

namespace spool {
inline constexpr std::uint32_t EnumLocal = 0x2;
inline constexpr std::uint32_t EnumConnections = 0x4;
inline constexpr std::uint32_t PrinterAllAccess = 0x000F000C;
inline constexpr std::uint32_t DpdDeleteUnusedFiles = 1;
inline constexpr std::uint32_t DpdDeleteSpecificVersion = 2;
inline constexpr std::uint32_t DpdDeleteAllFiles = 4;
inline const char* const EnvWin40 = "Windows 4.0";
inline const char* const EnvNtX86 = "Windows NT x86";
inline const char* const EnvAll = "all";
}  // namespace spool

// PRINTER_INFO_2, the fields the uninstaller reads.
struct PrinterInfo {
  std::string serverName;  // empty for a local printer
  std::string printerName;
  std::string shareName;
  std::string portName;  // comma-separated when the printer has several
  std::string driverName;
  std::string printProcessor;
  std::string datatype;
  std::uint32_t attributes = 0;
  std::uint32_t status = 0;
  std::uint32_t jobs = 0;
};

// JOB_INFO_1, the fields the uninstaller reads.
struct JobInfo {
  std::uint32_t jobId = 0;
  std::string document;
  std::uint32_t status = 0;
};

// DRIVER_INFO_3 or DRIVER_INFO_6 (level tells which fields are meaningful).
struct DriverInfo {
  std::uint32_t level = 3;
  std::uint32_t version = 0;  // cVersion, as the spooler reports it
  std::string name;
  std::string environment;
  std::string driverPath;
  std::string dataFile;
  std::string configFile;
  std::string helpFile;
  // pDependentFiles: `hasDependentFiles` false when the spooler gave none at
  // all, which is not the same as an empty list.
  bool hasDependentFiles = false;
  std::vector<std::string> dependentFiles;
  std::string monitorName;
  std::string defaultDataType;
  // Level 6 only.
  std::vector<std::string> previousNames;
  std::uint64_t driverDate = 0;  // FILETIME
  std::uint64_t driverVersion = 0;
  std::string mfgName;
  std::string oemUrl;
  std::string hardwareId;
  std::string provider;
};

class Spooler {
 public:
  virtual ~Spooler() = default;

  // EnumPrinters at level 2 with no server name.
  virtual WinError ListPrinters(std::uint32_t flags, std::vector<PrinterInfo>* out) = 0;
  // OpenPrinter with no data type and no device mode.
  virtual WinError OpenPrinterByName(std::string_view name, std::uint32_t access, Handle* out) = 0;
  virtual WinError DeletePrinter(Handle printer) = 0;
  // ClosePrinter, with its own result (removal records a failing close).
  virtual WinError ClosePrinter(Handle printer) = 0;
  // For UniquePrinter, which has nobody to report a failed close to.
  void Close(Handle printer) { static_cast<void>(ClosePrinter(printer)); }
  virtual WinError DeleteConnection(std::string_view name) = 0;
  // EnumJobs at level 1.
  virtual WinError ListJobs(Handle printer, std::uint32_t firstJob, std::uint32_t count,
                            std::vector<JobInfo>* out) = 0;

  // EnumPrinterDrivers with no server name; environment "all" lists every
  // environment (Windows 2000 and later). `level` is 3 or 6.
  virtual WinError EnumDrivers(std::string_view environment, std::uint32_t level,
                               std::vector<DriverInfo>* out) = 0;
  // GetPrinterDriverDirectory (level 1) for an environment.
  virtual WinError GetDriverDirectory(std::string_view environment, std::string* out) = 0;
  // AddPrinterDriver at info.level (3 or 6).
  virtual WinError AddDriver(const DriverInfo& info) = 0;
  // DeletePrinterDriver.
  virtual WinError DeleteDriver(std::string_view environment, std::string_view name) = 0;
  // DeletePrinterDriverEx, which Windows offers from 2000 on: the adapter finds
  // it at run time and keeps its library loaded for the run. ProcNotFound
  // where the system lacks it. With DpdDeleteSpecificVersion in `flags` only
  // `version` of the driver goes.
  virtual WinError DeleteDriverEx(std::string_view environment, std::string_view name, std::uint32_t flags,
                                  std::uint32_t version) = 0;

  // GetPrintProcessorDirectory (level 1) and DeletePrintProcessor.
  virtual WinError GetProcessorDirectory(std::string_view environment, std::string* out) = 0;
  virtual WinError DeleteProcessor(std::string_view environment, std::string_view name) = 0;
};

using UniquePrinter = UniqueHandle<Spooler>;

}  // namespace plat
