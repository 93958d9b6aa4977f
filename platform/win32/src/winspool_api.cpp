#include "winspool_api.h"

namespace win32 {
namespace {

template <typename Fn>
void Resolve(HMODULE module, const char* name, Fn* slot) {
  *slot = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

WinspoolApi Load() {
  WinspoolApi api;
  const HMODULE m = LoadLibraryW(L"winspool.drv");
  Resolve(m, "EnumPrintersW", &api.enumPrinters);
  Resolve(m, "OpenPrinterW", &api.openPrinter);
  Resolve(m, "DeletePrinter", &api.deletePrinter);
  Resolve(m, "ClosePrinter", &api.closePrinter);
  Resolve(m, "DeletePrinterConnectionW", &api.deletePrinterConnection);
  Resolve(m, "EnumJobsW", &api.enumJobs);
  Resolve(m, "EnumPrinterDriversW", &api.enumPrinterDrivers);
  Resolve(m, "GetPrinterDriverDirectoryW", &api.getPrinterDriverDirectory);
  Resolve(m, "AddPrinterDriverW", &api.addPrinterDriver);
  Resolve(m, "DeletePrinterDriverW", &api.deletePrinterDriver);
  Resolve(m, "DeletePrinterDriverExA", &api.deletePrinterDriverExA);
  Resolve(m, "GetPrintProcessorDirectoryW", &api.getPrintProcessorDirectory);
  Resolve(m, "DeletePrintProcessorW", &api.deletePrintProcessor);
  return api;
}

}  // namespace

const WinspoolApi& Winspool() {
  static const WinspoolApi api = Load();
  return api;
}

}  // namespace win32
