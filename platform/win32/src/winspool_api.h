// The winspool calls, found at run time rather than imported. Windows 95/98/Me
// lack most "W" entry points and NT 4.0 lacks the "Ex" ones; an import of any
// of them would stop drvpurge.exe from starting at all, while a missing
// procedure found here only fails the one call that needs it.
#pragma once
#include <windows.h>
#include <winspool.h>

namespace win32 {

struct WinspoolApi {
  decltype(&::EnumPrintersW) enumPrinters = nullptr;
  decltype(&::OpenPrinterW) openPrinter = nullptr;
  decltype(&::DeletePrinter) deletePrinter = nullptr;
  decltype(&::ClosePrinter) closePrinter = nullptr;
  decltype(&::DeletePrinterConnectionW) deletePrinterConnection = nullptr;
  decltype(&::EnumJobsW) enumJobs = nullptr;
  decltype(&::EnumPrinterDriversW) enumPrinterDrivers = nullptr;
  decltype(&::GetPrinterDriverDirectoryW) getPrinterDriverDirectory = nullptr;
  decltype(&::AddPrinterDriverW) addPrinterDriver = nullptr;
  decltype(&::DeletePrinterDriverW) deletePrinterDriver = nullptr;
  // From Windows 2000 on; the A form, as the driver removal has always called it.
  decltype(&::DeletePrinterDriverExA) deletePrinterDriverExA = nullptr;
  decltype(&::GetPrintProcessorDirectoryW) getPrintProcessorDirectory = nullptr;
  decltype(&::DeletePrintProcessorW) deletePrintProcessor = nullptr;
};

// Loaded on first use and kept for the rest of the run.
const WinspoolApi& Winspool();

}  // namespace win32
