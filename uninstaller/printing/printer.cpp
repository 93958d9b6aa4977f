#include "printing/printer.h"

#include "platform/text.h"
#include "platform/win_errors.h"
#include "printing/printer_driver_set.h"

CPrinter::CPrinter(const plat::PrinterInfo& info, PrintingContext& context)
    : name(info.printerName),
      portName(info.portName),
      driverName(info.driverName),
      printProcessor(info.printProcessor),
      isConnection(!info.serverName.empty()),
      context_(context) {}

bool CPrinter::IsMakerPrinter() const { return driverSet && driverSet->isMaker; }

bool CPrinter::IsUsbPort() const { return text::IStartsWith(portName, "USB"); }

bool CPrinter::HasNoPendingJobs() {
  plat::Spooler& spooler = context_.platform.spooler;
  plat::Handle raw = plat::kNoHandle;
  if (spooler.OpenPrinterByName(name, plat::spool::PrinterAllAccess, &raw) != winerr::Success) return true;
  const plat::UniquePrinter printer(spooler, raw);
  return HasNoJobs(printer.get());
}

bool CPrinter::HasNoJobs(plat::Handle printer) const {
  std::vector<plat::JobInfo> jobs;
  // A failing enumeration counts as an empty queue.
  if (context_.platform.spooler.ListJobs(printer, 0, 1, &jobs) != winerr::Success) return true;
  return jobs.empty();
}

void CPrinter::AddTree(plat::HKey root, std::string keyPath, bool onlyIfEmpty) {
  RegRemoval removal;
  removal.root = root;
  removal.keyPath = std::move(keyPath);
  removal.onlyIfEmpty = onlyIfEmpty;
  regRemovals.push_back(std::move(removal));
}
