// The spooler facts the extension reads about one printer: its
// PRINTER_INFO_2 (through an open handle, so that a printer the user may not
// open gives nothing) and the driver record behind it.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/spooler.h"

namespace shellext {

inline constexpr std::uint32_t kPrinterRead = 0x20008;

std::optional<plat::PrinterInfo> ReadPrinterInfo(plat::Spooler& spooler, std::string_view printerName,
                                                 std::uint32_t access = kPrinterRead);

// GetPrinterDriver for the printer in the current environment: its driver record.
std::optional<plat::DriverInfo> ReadPrinterDriver(plat::Spooler& spooler, std::string_view printerName,
                                                  std::uint32_t access);

}  // namespace shellext
