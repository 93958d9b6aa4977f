// Every printer object the spooler knows on this machine, local printers and
// connections alike, in the spooler's order.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "printing/printer.h"
#include "printing/printing_context.h"
#include "printing/removal_progress.h"

class CPrinterList {
 public:
  using Printers = std::vector<std::unique_ptr<CPrinter>>;

  explicit CPrinterList(PrintingContext& context) : context_(context) {}
  virtual ~CPrinterList() = default;
  CPrinterList(const CPrinterList&) = delete;
  CPrinterList& operator=(const CPrinterList&) = delete;

  // Appends one entry per printer. False when the spooler reports none or
  // cannot be asked; the list is then unchanged.
  bool Build();
  // The spooler was asked and refused: which printers exist is unknown, not
  // none (an empty spooler lists nothing without failing).
  bool EnumerationFailed() const { return enumerationFailed_; }
  // Exact, case-sensitive name.
  CPrinter* FindByName(std::string_view name) const;
  // Some maker's printer has not been removed.
  bool AnyMakerPrinterLeft() const;
  // Some printer, of any maker, prints to a USB port.
  bool AnyOnUsbPort() const;
  int CountSelectedMakerPrinters() const;

  // Deletes the maker's selected printers, then releases what they used.
  // `progress` may be null.
  void RemoveSelected(const WaitForJobsCallback& waitCallback, RemovalProgress* progress);

  // The end of the removal pass: frees the USB ports and print processors
  // that the printers deleted in this run used and no remaining printer
  // uses, then picks a new default printer if the old one went.
  void ReleaseAfterRemoval(const std::vector<std::string>& usbPorts, const std::vector<std::string>& printProcessors);
  // Deletes the port's registry records and its Plug and Play device keys.
  void RemoveUsbPort(const std::string& portName);
  // Some printer not removed prints through a processor whose library is `dllName`.
  bool IsProcessorDllInUse(std::string_view dllName) const;
  // Makes the first remaining printer the default when the default went.
  void ChooseNewDefault();
  // Freed print processors left in place because none of the maker's driver
  // sets lists their library, in the order met.
  const std::vector<std::string>& KeptPrintProcessors() const { return keptPrintProcessors_; }
  void NoteKeptPrintProcessor(const std::string& name) { keptPrintProcessors_.push_back(name); }

  Printers::const_iterator begin() const { return printers_.begin(); }
  Printers::const_iterator end() const { return printers_.end(); }
  std::size_t size() const { return printers_.size(); }
  bool empty() const { return printers_.empty(); }

  PrintingContext& context() const { return context_; }

 private:
  PrintingContext& context_;
  Printers printers_;
  bool enumerationFailed_ = false;
  std::vector<std::string> keptPrintProcessors_;
};
