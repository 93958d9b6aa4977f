#include "printing/printer_driver_set.h"

#include <algorithm>

#include "printing/driver_family.h"

std::string CPrinterDriverSet::GetName() const { return drivers.empty() ? std::string() : drivers.front()->name; }

bool CPrinterDriverSet::HasPrinter(std::string_view printerName) const {
  return std::find(printerNames.begin(), printerNames.end(), printerName) != printerNames.end();
}

void CPrinterDriverSet::AddPrinterName(std::string_view printerName) {
  if (!HasPrinter(printerName)) printerNames.emplace_back(printerName);
}

void CPrinterDriverSet::RemovePrinterName(std::string_view printerName) {
  const auto it = std::find(printerNames.begin(), printerNames.end(), printerName);
  if (it != printerNames.end()) printerNames.erase(it);
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
