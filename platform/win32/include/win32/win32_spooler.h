// Spooler port over winspool (found at run time, see winspool_api.h).
#pragma once
#include "platform/spooler.h"

namespace win32 {

class Win32Spooler final : public plat::Spooler {
 public:
  plat::WinError ListPrinters(std::uint32_t flags, std::vector<plat::PrinterInfo>* out) override;
  plat::WinError OpenPrinterByName(std::string_view name, std::uint32_t access, plat::Handle* out) override;
  plat::WinError DeletePrinter(plat::Handle printer) override;
  plat::WinError ClosePrinter(plat::Handle printer) override;
  plat::WinError DeleteConnection(std::string_view name) override;
  plat::WinError ListJobs(plat::Handle printer, std::uint32_t firstJob, std::uint32_t count,
                         std::vector<plat::JobInfo>* out) override;
  plat::WinError EnumDrivers(std::string_view environment, std::uint32_t level,
                            std::vector<plat::DriverInfo>* out) override;
  plat::WinError GetDriverDirectory(std::string_view environment, std::string* out) override;
  plat::WinError AddDriver(const plat::DriverInfo& info) override;
  plat::WinError DeleteDriver(std::string_view environment, std::string_view name) override;
  plat::WinError DeleteDriverEx(std::string_view environment, std::string_view name, std::uint32_t flags,
                               std::uint32_t version) override;
  plat::WinError GetProcessorDirectory(std::string_view environment, std::string* out) override;
  plat::WinError DeleteProcessor(std::string_view environment, std::string_view name) override;
};

}  // namespace win32
