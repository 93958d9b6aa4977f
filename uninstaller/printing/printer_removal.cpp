// Deleting the maker's chosen printers: the printer pass of the removal.
#include <algorithm>

#include "platform/text.h"
#include "platform/win_errors.h"
#include "printing/printer.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_driver_set.h"
#include "printing/printer_list.h"

namespace {
// Port and processor names are read by the spooler without case.
void AddOnce(std::vector<std::string>& names, const std::string& name) {
  if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return text::IEquals(n, name); }))
    names.push_back(name);
}

plat::WinError DeleteLocalPrinter(plat::Spooler& spooler, const std::string& name) {
  plat::Handle printer = plat::kNoHandle;
  plat::WinError error = spooler.OpenPrinterByName(name, plat::spool::PrinterAllAccess, &printer);
  if (error != winerr::Success) return error;
  error = spooler.DeletePrinter(printer);
  // A failing close is reported too, and wins over an earlier error.
  if (const plat::WinError closeError = spooler.ClosePrinter(printer); closeError != winerr::Success)
    error = closeError;
  return error;
}
}  // namespace

plat::WinError CPrinter::Remove() {
  plat::Spooler& spooler = context_.platform.spooler;
  // The NT spooler deletes a connection only as a connection; the 9x one
  // treats it as a printer of its own.
  const plat::WinError error = isConnection && IsWinNT(context_.os()) ? spooler.DeleteConnection(name)
                                                                      : DeleteLocalPrinter(spooler, name);
  if (error != winerr::Success) {
    state = RemovalState::Failed;
    return error;
  }
  // The spooler's answer above is the printer's outcome; its keys are
  // tidied as far as they go.
  for (const RegRemoval& removal : regRemovals) static_cast<void>(removal.Run(context_.platform.registry));
  // The printer used every set its driver name leads to in any case; their
  // drivers may go once no printer uses them.
  for (CPrinterDriverSet* set : context_.drivers.SetsNamedLike(driverName)) {
    set->RemovePrinterName(name);
    set->SetDriversSelected(true);
  }
  state = RemovalState::Removed;
  return winerr::Success;
}

void CPrinterList::RemoveSelected(const WaitForJobsCallback& waitCallback, RemovalProgress* progress) {
  std::vector<std::string> usbPorts;
  std::vector<std::string> printProcessors;
  for (const auto& printer : printers_) {
    if (!printer->IsMakerPrinter() || !printer->selected) continue;
    if (progress) progress->ShowText("Removing \"" + printer->name + "\" files...");
    const bool mayDelete = printer->HasNoPendingJobs() || (waitCallback && waitCallback(*printer));
    if (!mayDelete) {
      printer->state = RemovalState::Failed;
    } else if (printer->Remove() == winerr::Success) {
      if (printer->IsUsbPort()) AddOnce(usbPorts, printer->portName);
      AddOnce(printProcessors, printer->printProcessor);
    }
    if (progress) progress->Step();
  }
  ReleaseAfterRemoval(usbPorts, printProcessors);
}
