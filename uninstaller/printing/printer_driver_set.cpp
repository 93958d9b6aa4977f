#include "printing/printer_driver_set.h"

#include <algorithm>

#include "printing/driver_family.h"
#include "printing/printer.h"

std::string CPrinterDriverSet::GetName() const { return drivers.empty() ? std::string() : drivers.front()->name; }

const std::vector<CPrinter*>& CPrinterDriverSet::Printers() const {
  static const std::vector<CPrinter*> kNone;
  return sameName_ ? sameName_->printers : kNone;
}

std::vector<std::string> CPrinterDriverSet::PrinterNames() const {
  std::vector<std::string> names;
  for (const CPrinter* printer : Printers()) names.push_back(printer->name);
  return names;
}

bool CPrinterDriverSet::HasPrinter(std::string_view printerName) const {
  const std::vector<CPrinter*>& printers = Printers();
  return std::any_of(printers.begin(), printers.end(),
                     [&](const CPrinter* printer) { return printer->name == printerName; });
}

void CPrinterDriverSet::JoinName(SetsOfOneName& sameName) {
  sameName_ = &sameName;
  sameName.sets.push_back(this);
}

void CPrinterDriverSet::AttachPrinter(CPrinter& printer) {
  if (!sameName_) return;
  std::vector<CPrinter*>& printers = sameName_->printers;
  if (std::find(printers.begin(), printers.end(), &printer) == printers.end()) printers.push_back(&printer);
}

void CPrinterDriverSet::ReleasePrinter(const CPrinter& printer) {
  if (!sameName_) {
    SetDriversSelected(true);
    return;
  }
  std::vector<CPrinter*>& printers = sameName_->printers;
  const auto it = std::find(printers.begin(), printers.end(), &printer);
  if (it != printers.end()) printers.erase(it);
  for (CPrinterDriverSet* set : sameName_->sets) set->SetDriversSelected(true);
}

int CPrinterDriverSet::NativeIndex() const {
  std::vector<std::uint32_t> versions;
  versions.reserve(drivers.size());
  for (const auto& driver : drivers) versions.push_back(driver->version);
  return NativeIndexAmong(versions, NativeDriverVersion(context_.os()));
}

std::string CPrinterDriverSet::NativeDriverPath() const {
  const int index = NativeIndex();
  return index < 0 ? std::string() : drivers[static_cast<std::size_t>(index)]->driverPath;
}

void CPrinterDriverSet::SetDriversSelected(bool value) {
  for (auto& driver : drivers) driver->selected = value;
}

bool CPrinterDriverSet::AnyDriverListsFile(std::string_view file, std::uint32_t version, bool includeRemoved) const {
  return std::any_of(drivers.begin(), drivers.end(), [&](const auto& driver) {
    return driver->version == version && (includeRemoved || driver->state != RemovalState::Removed) &&
           driver->NeedsFile(file);
  });
}

bool CPrinterDriverSet::IsKnownFamily() const {
  const int index = NativeIndex();
  return index >= 0 && drivers[static_cast<std::size_t>(index)]->IsKnownFamily();
}

bool CPrinterDriverSet::AnyDriverPresent() const {
  return std::any_of(drivers.begin(), drivers.end(),
                     [](const auto& driver) { return driver->state != RemovalState::Removed; });
}

bool CPrinterDriverSet::AnyDriverFailed() const {
  return std::any_of(drivers.begin(), drivers.end(),
                     [](const auto& driver) { return driver->state == RemovalState::Failed; });
}
