// Spooler port over winspool (found at run time, see winspool_api.h).
#pragma once
#include "platform/spooler.h"

namespace win32 {

class Win32Spooler final : public plat::Spooler {
 public:
  std::uint32_t ListPrinters(std::uint32_t flags, std::vector<plat::PrinterInfo>* out) override;
  std::uint32_t OpenPrinterByName(std::string_view name, std::uint32_t access, plat::Handle* out) override;
  std::uint32_t DeletePrinter(plat::Handle printer) override;
  std::uint32_t ClosePrinter(plat::Handle printer) override;
  std::uint32_t DeleteConnection(std::string_view name) override;
  std::uint32_t ListJobs(plat::Handle printer, std::uint32_t firstJob, std::uint32_t count,
                         std::vector<plat::JobInfo>* out) override;
  std::uint32_t EnumDrivers(std::string_view environment, std::uint32_t level,
                            std::vector<plat::DriverInfo>* out) override;
  std::uint32_t GetDriverDirectory(std::string_view environment, std::string* out) override;
  std::uint32_t AddDriver(const plat::DriverInfo& info) override;
  std::uint32_t DeleteDriver(std::string_view environment, std::string_view name) override;
  std::uint32_t DeleteDriverEx(std::string_view environment, std::string_view name, std::uint32_t flags,
                               std::uint32_t version) override;
  std::uint32_t GetProcessorDirectory(std::string_view environment, std::string* out) override;
  std::uint32_t DeleteProcessor(std::string_view environment, std::string_view name) override;
};

}  // namespace win32
