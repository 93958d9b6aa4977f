// The drivers of one name: one printer model's driver as installed for one
// or more environments and versions.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "printing/printer_driver.h"
#include "printing/printing_context.h"

class CPrinter;
class CPrinterDriverSet;

// The sets whose names are one name without case, and the printers whose
// driver name is that name. The spooler finds a printer's driver without
// case, so each of these printers uses every one of these sets; the link is
// kept here alone, built once when the printers are attached.
struct SetsOfOneName {
  std::vector<CPrinterDriverSet*> sets;   // in list order
  std::vector<CPrinter*> printers;        // in the spooler's order
};

class CPrinterDriverSet {
 public:
  explicit CPrinterDriverSet(PrintingContext& context) : context_(context) {}
  virtual ~CPrinterDriverSet() = default;
  CPrinterDriverSet(const CPrinterDriverSet&) = delete;
  CPrinterDriverSet& operator=(const CPrinterDriverSet&) = delete;

  // Name of the first driver, or empty.
  std::string GetName() const;

  // The printers that use this set, and so every set of its name.
  const std::vector<CPrinter*>& Printers() const;
  std::vector<std::string> PrinterNames() const;
  // Exact comparison.
  bool HasPrinter(std::string_view printerName) const;
  // Ties `printer` to this set and every other set of its name, once.
  void AttachPrinter(CPrinter& printer);
  // The printer is gone: no set of the name counts it, and their drivers
  // may go once no printer uses them.
  void ReleasePrinter(const CPrinter& printer);
  // Set by the driver list when the set is made.
  void JoinName(SetsOfOneName& sameName);

  // The driver the running Windows prints with (see NativeIndexAmong).
  int NativeIndex() const;
  std::string NativeDriverPath() const;
  void SetDriversSelected(bool value);
  // Some driver of `version`, not removed unless `includeRemoved`, needs
  // `file` (CPrinterDriver::NeedsFile).
  bool AnyDriverListsFile(std::string_view file, std::uint32_t version, bool includeRemoved) const;
  // The native driver is of one of the maker's families.
  bool IsKnownFamily() const;
  bool AnyDriverPresent() const;
  bool AnyDriverFailed() const;
  // Detaches every driver's network monitor; the first error, after all.
  [[nodiscard]] plat::WinError DetachNetworkMonitors();

  PrintingContext& context() const { return context_; }

  std::vector<std::unique_ptr<CPrinterDriver>> drivers;  // owned, in enumeration order
  bool isMaker = false;

 private:
  PrintingContext& context_;
  SetsOfOneName* sameName_ = nullptr;  // owned by the driver list
};
