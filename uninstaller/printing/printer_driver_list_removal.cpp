// The driver pass of the removal: every selected driver of the maker's sets
// that no printer uses any more goes, with one index of the files the
// remaining drivers list kept up to date for the whole pass.
#include "printing/driver_file_index.h"
#include "printing/printer_driver.h"
#include "printing/printer_driver_list.h"

void CPrinterDriverList::RemoveFreedMakerDrivers() {
  if (printersUnknown_) {
    KeepAllMakerDrivers();
    return;
  }
  DriverFileIndex index(*this);
  activeFileIndex_ = &index;
  struct EndOfPass {
    DriverFileIndex*& active;
    ~EndOfPass() { active = nullptr; }
  } endOfPass{activeFileIndex_};
  for (const auto& set : sets_) {
    // A set that a remaining printer still uses stays whole.
    if (!set->isMaker || IsInUse(*set)) continue;
    for (const auto& driver : set->drivers) {
      if (driver->selected && driver->state == RemovalState::NotTried) driver->Remove();
    }
  }
}
