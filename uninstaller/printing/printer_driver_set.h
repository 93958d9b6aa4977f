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

class CPrinterDriverSet {
 public:
  explicit CPrinterDriverSet(PrintingContext& context) : context_(context) {}
  virtual ~CPrinterDriverSet() = default;
  CPrinterDriverSet(const CPrinterDriverSet&) = delete;
  CPrinterDriverSet& operator=(const CPrinterDriverSet&) = delete;

  // Name of the first driver, or empty.
  std::string GetName() const;

  // Names of the printers that use this set; exact comparison.
  bool HasPrinter(std::string_view printerName) const;
  void AddPrinterName(std::string_view printerName);
  void RemovePrinterName(std::string_view printerName);

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
  std::vector<std::string> printerNames;
  bool isMaker = false;

 private:
  PrintingContext& context_;
};
