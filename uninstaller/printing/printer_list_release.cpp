// The end of the removal pass: what the deleted printers leave without a
// user goes too, in this order: USB ports, print processors, default printer.
#include <algorithm>

#include "platform/text.h"
#include "printing/print_processor_removal.h"
#include "printing/printer_list.h"

namespace {

// Two port texts name a common port. The spooler lists a pooled printer's
// ports separated by commas, and port names compare without case.
bool SharesAPort(const std::string& portText, const std::string& otherPortText) {
  const std::vector<std::string> others = text::Split(otherPortText, ',');
  for (const std::string& port : text::Split(portText, ',')) {
    const std::string_view name = text::Trim(port);
    if (name.empty()) continue;
    for (const std::string& other : others) {
      if (text::IEquals(name, text::Trim(other))) return true;
    }
  }
  return false;
}

void ForgetPortsOf(std::vector<std::string>& ports, const std::string& portText) {
  std::erase_if(ports, [&](const std::string& port) { return SharesAPort(port, portText); });
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
    ForgetPortsOf(freedPorts, printer->portName);
    ForgetPrintProcessor(freedProcessors, printer->printProcessor);
  }

  for (const std::string& port : freedPorts) RemoveUsbPort(port);
  RemoveFreedPrintProcessors(*this, freedProcessors);
  ChooseNewDefault();
}
