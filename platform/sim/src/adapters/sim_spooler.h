// Spooler port over the machine's printers, queues, drivers and print
// processors, with queues that drain in virtual time.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/machine_data.h"
#include "platform/spooler.h"

namespace sim {

class MachineState;

class SimSpooler final : public plat::Spooler {
 public:
  explicit SimSpooler(MachineState& m) : m_(m) {}
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

  // Queues whose jobs have printed by `virtualMs` are emptied; printers
  // waiting for that to be deleted go.
  void Drain(std::uint64_t virtualMs);

 private:
  // Drain times come only from the image, so once no queue waits for one
  // nothing ever will; every spooler call drains, and walking every printer
  // each time would grow with the square of the printers.
  bool queuesToDrain_ = true;
  struct OpenPrinterEntry {
    std::string name;  // full name as opened
    std::uint32_t access = 0;
  };
  // Success, or the RPC error of a spooler that is not running.
  plat::WinError Available();
  PrinterEntry* FindPrinter(std::string_view fullName);
  plat::WinError RemoveDrivers(std::string_view environment, std::string_view name, std::optional<std::uint32_t> version,
                              std::uint32_t flags, const char* via);

  MachineState& m_;
  std::map<plat::Handle, OpenPrinterEntry> open_;
};

}  // namespace sim
