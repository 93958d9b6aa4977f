#include "app/script_selection.h"

bool ScriptSelection::ApplyScript(UnstItemArray& items, CPrinterList& printers,
                                  std::vector<CPrinterDriver*>& orphanDrivers) {
  if (scriptPath.empty()) {
    // S or ALL without a script: everything goes, with no check to fail.
    for (UnstItem& item : items) item.selected = true;
    for (const auto& printer : printers) printer->selected = true;
    for (CPrinterDriver* driver : orphanDrivers) driver->selected = true;
    return errorText.empty();
  }
  // Reading the script needs the INI model, which is not there yet; until it
  // is, a script selects nothing and is not an error.
  return errorText.empty();
}
