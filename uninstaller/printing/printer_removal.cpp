// Deleting one printer of the maker: waiting for its jobs, deleting it (or the
// connection) and then its registry keys.
#include <algorithm>

#include "platform/text.h"
#include "platform/win_errors.h"
#include "printing/printer.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_driver_set.h"
#include "printing/printer_list.h"

namespace {
// Deletes the printer and closes its handle.
plat::WinError DeleteOpenPrinter(plat::Spooler& spooler, plat::Handle printer) {
  plat::WinError error = spooler.DeletePrinter(printer);
  // A failing close is reported too, and wins over an earlier error.
  if (const plat::WinError closeError = spooler.ClosePrinter(printer); closeError != winerr::Success)
    error = closeError;
  return error;
}

plat::WinError DeleteLocalPrinter(plat::Spooler& spooler, const std::string& name) {
  plat::Handle printer = plat::kNoHandle;
  const plat::WinError error = spooler.OpenPrinterByName(name, plat::spool::PrinterAllAccess, &printer);
  if (error != winerr::Success) return error;
  return DeleteOpenPrinter(spooler, printer);
}
}  // namespace

plat::WinError CPrinter::Remove() {
  plat::Spooler& spooler = context_.platform.spooler;
  return Finish(DeletesAsConnection() ? spooler.DeleteConnection(name) : DeleteLocalPrinter(spooler, name));
}

bool CPrinter::RemoveWhenIdle(const WaitForJobsCallback& waitCallback) {
  plat::Spooler& spooler = context_.platform.spooler;
  plat::Handle raw = plat::kNoHandle;
  const plat::WinError openError = spooler.OpenPrinterByName(name, plat::spool::PrinterAllAccess, &raw);
  plat::UniquePrinter printer(spooler, openError == winerr::Success ? raw : plat::kNoHandle);
  // A printer that cannot be opened has nothing to wait for.
  const bool idle = !printer || HasNoJobs(printer.get());
  if (!idle && !(waitCallback && waitCallback(*this))) {
    state = RemovalState::Failed;
    return false;
  }
  plat::WinError error = openError;
  if (DeletesAsConnection()) {
    printer.reset();
    error = spooler.DeleteConnection(name);
  } else if (printer) {
    error = DeleteOpenPrinter(spooler, printer.release());
  }
  return Finish(error) == winerr::Success;
}

bool CPrinter::DeletesAsConnection() const {
  // The NT spooler deletes a connection only as a connection; the 9x one
  // treats it as a printer of its own.
  return isConnection && IsWinNT(context_.os());
}

plat::WinError CPrinter::Finish(plat::WinError error) {
  if (error != winerr::Success) {
    state = RemovalState::Failed;
    return error;
  }
  // The spooler's answer above is the printer's outcome; its keys are
  // tidied as far as they go.
  for (const RegRemoval& removal : regRemovals) static_cast<void>(removal.Run(context_.platform.registry));
  // The printer used every set its driver name leads to in any case; their
  // drivers may go once no printer uses them.
  if (driverSet) driverSet->ReleasePrinter(*this);
  state = RemovalState::Removed;
  return winerr::Success;
}
