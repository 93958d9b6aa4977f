// The end of the removal pass: what the deleted printers leave without a
// user goes too, in this order: USB ports, print processors, default printer.
#include <algorithm>

#include "printing/print_processor_removal.h"
#include "printing/printer_list.h"

namespace {

void Forget(std::vector<std::string>& names, const std::string& name) {
  std::erase(names, name);
}

}  // namespace

void CPrinterList::ReleaseAfterRemoval(const std::vector<std::string>& usbPorts,
                                       const std::vector<std::string>& printProcessors) {
  std::vector<std::string> freedPorts = usbPorts;
  std::vector<std::string> freedProcessors = printProcessors;
  // Every printer still on the machine keeps its port and processor, whoever
  // made it and whether or not its removal was tried.
  for (const auto& printer : printers_) {
    if (printer->selected && printer->state == RemovalState::Removed) continue;
    Forget(freedPorts, printer->portName);
    ForgetPrintProcessor(freedProcessors, printer->printProcessor);
  }

  for (const std::string& port : freedPorts) RemoveUsbPort(port);
  RemoveFreedPrintProcessors(*this, freedProcessors);
  ChooseNewDefault();
}
