// Prepares a prefix for a scripted run of drvpurge.exe and reads back what it
// left: "seed" installs the maker's two printers on their drivers through the
// real spooler, with the model list that makes them the maker's; "printers"
// prints one journal line per printer that is left.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "common/log_beside_module.h"
#include "../spooler/scenario.h"
#include "../spooler/seed.h"

namespace {

using doubles::Beside;

int Seed() {
  char dir[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed)) return 2;
  for (const e2e::DriverSeed& driver : e2e::SeedDrivers()) {
    if (!driver.maker) continue;
    const std::string error = e2e::InstallDriver(Beside("fake_driver.dll"), dir, driver);
    if (!error.empty()) return std::fprintf(stderr, "%s\n", error.c_str()), 2;
  }
  for (const e2e::PrinterSeed& printer : e2e::SeedPrinters()) {
    if (!printer.maker) continue;
    const std::string error = e2e::InstallPrinter(printer);
    if (!error.empty()) return std::fprintf(stderr, "%s\n", error.c_str()), 2;
  }
  std::ofstream list(std::string(e2e::InstallDir()) + "\\Drivers.ini", std::ios::binary | std::ios::trunc);
  list << e2e::ModelList();
  return list ? 0 : 2;
}

int ListPrinters() {
  DWORD needed = 0, count = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, buffer.data(), needed, &needed, &count)) return 2;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) std::printf("{\"event\":\"printerLeft\",\"name\":\"%s\"}\n", printers[i].pPrinterName);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "seed") return Seed();
  if (mode == "printers") return ListPrinters();
  std::fprintf(stderr, "usage: script_seed seed|printers\n");
  return 2;
}
