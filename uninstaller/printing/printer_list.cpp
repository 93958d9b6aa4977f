#include "printing/printer_list.h"

#include <algorithm>

#include "platform/win_errors.h"

bool CPrinterList::Build() {
  std::vector<plat::PrinterInfo> records;
  if (context_.platform.spooler.ListPrinters(plat::spool::EnumLocal | plat::spool::EnumConnections, &records) !=
      winerr::Success) {
    enumerationFailed_ = true;
    return false;
  }
  // An empty spooler answers the size question without asking for a buffer,
  // which the enumeration counts as a failure.
  if (records.empty()) return false;
  for (const plat::PrinterInfo& record : records) printers_.push_back(std::make_unique<CPrinter>(record, context_));
  return true;
}

CPrinter* CPrinterList::FindByName(std::string_view name) const {
  for (const auto& printer : printers_) {
    if (printer->name == name) return printer.get();
  }
  return nullptr;
}

bool CPrinterList::AnyMakerPrinterLeft() const {
  return std::any_of(printers_.begin(), printers_.end(), [](const auto& printer) {
    return printer->IsMakerPrinter() && printer->state != RemovalState::Removed;
  });
}

bool CPrinterList::AnyOnUsbPort() const {
  return std::any_of(printers_.begin(), printers_.end(), [](const auto& printer) { return printer->IsUsbPort(); });
}

int CPrinterList::CountSelectedMakerPrinters() const {
  return static_cast<int>(std::count_if(printers_.begin(), printers_.end(), [](const auto& printer) {
    return printer->IsMakerPrinter() && printer->selected;
  }));
}
