// Whether a printer still on the machine prints through a print processor
// library: the library of each printer's processor, as the spooler's key
// names it.
#include <string>

#include "platform/text.h"
#include "printing/print_processor_removal.h"
#include "printing/printer_list.h"
#include "system/registry_helpers.h"

bool CPrinterList::IsProcessorDllInUse(std::string_view dllName) const {
  for (const auto& printer : printers_) {
    if (printer->state == RemovalState::Removed) continue;
    const std::string library = RegGetString(context_.platform.registry, plat::kHkeyLocalMachine,
                                             PrintProcessorKey(context_.os(), printer->printProcessor), "Driver")
                                    .value_or("");
    if (text::IEquals(library, dllName)) return true;
  }
  return false;
}
