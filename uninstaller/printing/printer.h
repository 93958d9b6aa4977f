// One printer object the spooler knows: a local printer or a connection to a
// printer shared by another machine.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/spooler.h"
#include "printing/printing_context.h"
#include "printing/removal_progress.h"
#include "printing/removal_state.h"
#include "system/reg_removal.h"

class CPrinterDriverSet;

class CPrinter {
 public:
  // Copies the names.
  CPrinter(const plat::PrinterInfo& info, PrintingContext& context);
  virtual ~CPrinter() = default;
  CPrinter(const CPrinter&) = delete;
  CPrinter& operator=(const CPrinter&) = delete;

  std::string GetName() const { return name; }
  std::string GetPortName() const { return portName; }
  std::string GetPrintProcessor() const { return printProcessor; }
  // The printer's driver set is the maker's.
  bool IsMakerPrinter() const;
  // The port's name begins with "USB", without case.
  bool IsUsbPort() const;
  // True also when the printer cannot be opened: nothing can be waited for then.
  bool HasNoPendingJobs();
  // Prepares the registry keys that go with the printer (regRemovals, and
  // keysLeft), afresh. Only the maker's printers are removed, so only they
  // need them; it must run before the printer is deleted, whose key holds
  // its Plug and Play data.
  void CollectRegistryRemovals();
  // Makes this printer the user's default printer.
  void MakeDefault();
  // Deletes the printer (or the connection) and then its registry keys;
  // success or the spooler's error, which leaves everything in place.
  [[nodiscard]] plat::WinError Remove();
  // The removal pass's way out for this printer: its queue is read, and the
  // printer deleted, through one open handle; with jobs queued only when
  // `waitCallback` lets it go. True when the printer was removed; its
  // `state` says Removed or Failed.
  bool RemoveWhenIdle(const WaitForJobsCallback& waitCallback);

  PrintingContext& context() const { return context_; }

  std::string name;
  std::string portName;  // several ports: the spooler's comma-separated text
  std::string driverName;
  std::string printProcessor;
  bool isConnection = false;
  bool selected = false;
  RemovalState state = RemovalState::NotTried;
  std::vector<RegRemoval> regRemovals;  // run after the spooler has deleted the printer
  // Keys of this printer that no request names because its name cannot be
  // one key's name ("ROOT\path" as they would have been formed).
  std::vector<std::string> keysLeft;
  CPrinterDriverSet* driverSet = nullptr;  // owned by the driver list

 private:
  bool HasNoJobs(plat::Handle printer) const;
  bool DeletesAsConnection() const;
  // The end of a deletion: on success the registry keys and the driver
  // sets' link to this printer go; `state` says which. Returns `error`.
  plat::WinError Finish(plat::WinError error);
  void CollectPnpRemovals();
  void CollectLegacyDeviceRemovals();
  void AddTree(plat::HKey root, std::string keyPath, bool onlyIfEmpty = false);
  // Records in keysLeft the keys a name that is no key name cannot name.
  void LeaveNamedKeys();

  PrintingContext& context_;
};
