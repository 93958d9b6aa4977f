#include "printer_lookup.h"

#include <vector>

#include "platform/text.h"

namespace shellext {

std::optional<plat::PrinterInfo> ReadPrinterInfo(plat::Spooler& spooler, std::string_view printerName,
                                                 std::uint32_t access) {
  plat::Handle h = plat::kNoHandle;
  if (printerName.empty() || spooler.OpenPrinterByName(printerName, access, &h).failed()) return std::nullopt;
  plat::UniquePrinter printer(spooler, h);
  std::vector<plat::PrinterInfo> printers;
  if (spooler.ListPrinters(plat::spool::EnumLocal | plat::spool::EnumConnections, &printers).failed())
    return std::nullopt;
  for (auto& p : printers)
    if (text::IEquals(p.printerName, printerName)) return std::move(p);
  return std::nullopt;
}

std::optional<plat::DriverInfo> ReadPrinterDriver(plat::Spooler& spooler, std::string_view printerName,
                                                  std::uint32_t access) {
  const auto printer = ReadPrinterInfo(spooler, printerName, access);
  if (!printer || printer->driverName.empty()) return std::nullopt;
  std::vector<plat::DriverInfo> drivers;
  if (spooler.EnumDrivers({}, 3, &drivers).failed()) return std::nullopt;
  // The newest version of the driver is the one a printer uses.
  std::optional<plat::DriverInfo> found;
  for (auto& d : drivers)
    if (text::IEquals(d.name, printer->driverName) && (!found || d.version > found->version)) found = std::move(d);
  return found;
}

}  // namespace shellext
