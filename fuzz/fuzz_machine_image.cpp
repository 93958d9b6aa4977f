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
  if (p.registry.OpenKey(plat::kHkeyLocalMachine, "SOFTWARE", 0x20019, &key).ok()) {
    std::string name;
    for (std::uint32_t i = 0; i < 8 && p.registry.EnumKey(key, i, &name).ok(); ++i) {
      plat::HKey sub = 0;
      if (p.registry.OpenKey(key, name, 0x2000000, &sub).ok()) p.registry.Close(sub);
      static_cast<void>(p.registry.DeleteKey(key, name));  // only crashes count here
    }
    static_cast<void>(p.registry.Close(key));  // only crashes count here
  }
  plat::Handle manager = 0;
  if (p.services.OpenManager("", 0xF003F, &manager).ok()) p.services.Close(manager);
  static_cast<void>(p.clock.Sleep(60000));  // only crashes count here
  static_cast<void>(p.ui.ShowMessage(0, "text", "caption", 0x24));  // only crashes count here
  for (auto w : p.desktop.TopLevelWindows()) {
    std::uintptr_t result = 0;
    static_cast<void>(p.desktop.SendWithTimeout(w, 0x11, 0, 0, 2, 2000, &result));  // only crashes count here
  }
  // Printing and files: enumerate, delete what is there, list what is left.
  std::vector<plat::PrinterInfo> printers;
  if (p.spooler.ListPrinters(6, &printers).ok())
    for (const auto& printer : printers) {
      plat::Handle h = 0;
      if (p.spooler.OpenPrinterByName(printer.printerName, 0x000F000C, &h).ok()) {
        static_cast<void>(p.spooler.DeletePrinter(h));  // only crashes count here
        static_cast<void>(p.spooler.ClosePrinter(h));  // only crashes count here
      }
    }
  std::vector<plat::DriverInfo> drivers;
  if (p.spooler.EnumDrivers("all", 6, &drivers).ok())
    for (const auto& d : drivers) {
      static_cast<void>(p.spooler.DeleteDriver(d.environment, d.name));  // only crashes count here
      static_cast<void>(p.files.RemoveFile(d.driverPath));  // only crashes count here
    }
  std::vector<plat::FindEntry> found;
  std::string shortPath;
  if (p.files.Find("C:\\*.*", &found).ok())
    for (const auto& f : found) static_cast<void>(p.files.ShortPath("C:\\" + f.name, &shortPath));  // only crashes count here
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
