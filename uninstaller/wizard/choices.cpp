#include "wizard/choices.h"

#include "printing/printer_driver.h"

ChoiceList PrinterChoices(const CPrinterList& printers) {
  ChoiceList list;
  list.present = !printers.empty();
  for (const auto& printer : printers) {
    if (printer->IsMakerPrinter()) list.entries.push_back({printer->name, &printer->selected, true});
  }
  return list;
}

ChoiceList DriverChoices(const std::vector<CPrinterDriver*>& orphanDrivers) {
  ChoiceList list;
  list.present = !orphanDrivers.empty();
  for (CPrinterDriver* driver : orphanDrivers) {
    list.entries.push_back({driver->name, &driver->selected, driver->state == RemovalState::NotTried});
  }
  return list;
}
