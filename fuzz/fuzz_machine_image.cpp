// Feeds arbitrary bytes to the machine-image loader. Whatever loads must save,
// and what it saves must load back to the same image; nothing may crash.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/platform.h"
#include "sim/machine.h"

namespace {
// A few port calls over whatever was loaded, to reach the code behind them.
void Exercise(sim::Machine& m) {
  auto& p = m.platform();
  plat::HKey key = 0;
  if (p.registry.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE", 0x20019, &key) == 0) {
    std::string name;
    for (std::uint32_t i = 0; i < 8 && p.registry.EnumKey(key, i, &name) == 0; ++i) {
      plat::HKey sub = 0;
      if (p.registry.OpenKey(key, name, 0x2000000, &sub) == 0) p.registry.Close(sub);
      p.registry.DeleteKey(key, name);
    }
    p.registry.Close(key);
  }
  plat::Handle manager = 0;
  if (p.services.OpenManager("", 0xF003F, &manager) == 0) p.services.Close(manager);
  p.clock.Sleep(60000);
  p.ui.ShowMessage(0, "text", "caption", 0x24);
  for (auto w : p.desktop.TopLevelWindows()) {
    std::uintptr_t result = 0;
    p.desktop.SendWithTimeout(w, 0x11, 0, 0, 2, 2000, &result);
  }
  // Printing and files: enumerate, delete what is there, list what is left.
  std::vector<plat::PrinterInfo> printers;
  if (p.spooler.ListPrinters(6, &printers) == 0)
    for (const auto& printer : printers) {
      plat::Handle h = 0;
      if (p.spooler.OpenPrinterByName(printer.printerName, 0x000F000C, &h) == 0) {
        p.spooler.DeletePrinter(h);
        p.spooler.ClosePrinter(h);
      }
    }
  std::vector<plat::DriverInfo> drivers;
  if (p.spooler.EnumDrivers("all", 6, &drivers) == 0)
    for (const auto& d : drivers) {
      p.spooler.DeleteDriver(d.environment, d.name);
      p.files.RemoveFile(d.driverPath);
    }
  std::vector<plat::FindEntry> found;
  std::string shortPath;
  if (p.files.Find("C:\\*.*", &found) == 0)
    for (const auto& f : found) p.files.ShortPath("C:\\" + f.name, &shortPath);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sim::LoadError error;
  auto machine = sim::Machine::FromText(std::string_view(reinterpret_cast<const char*>(data), size), &error);
  if (!machine) return 0;
  Exercise(*machine);
  const nlohmann::json saved = machine->Save();
  (void)saved.dump();
  auto again = sim::Machine::FromJson(saved, &error);
  if (!again || again->Save() != saved) std::abort();
  return 0;
}
