// The printer pass of the removal: every chosen printer of the maker goes,
// then the ports and print processors it alone used.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/text.h"
#include "printing/printer.h"
#include "printing/printer_list.h"

namespace {
// Port and processor names are read by the spooler without case.
void AddOnce(std::vector<std::string>& names, const std::string& name) {
  if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return text::IEquals(n, name); }))
    names.push_back(name);
}
}  // namespace

void CPrinterList::RemoveSelected(const WaitForJobsCallback& waitCallback, RemovalProgress* progress) {
  std::vector<std::string> usbPorts;
  std::vector<std::string> printProcessors;
  for (const auto& printer : printers_) {
    if (!printer->IsMakerPrinter() || !printer->selected) continue;
    if (progress) progress->ShowText("Removing \"" + printer->name + "\" files...");
    if (printer->RemoveWhenIdle(waitCallback)) {
      if (printer->IsUsbPort()) AddOnce(usbPorts, printer->portName);
      AddOnce(printProcessors, printer->printProcessor);
    }
    if (progress) progress->Step();
  }
  ReleaseAfterRemoval(usbPorts, printProcessors);
}
