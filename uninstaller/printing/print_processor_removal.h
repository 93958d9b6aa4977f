// The maker's print processors that the deleted printers used and no
// remaining printer uses: deleted from the spooler, with their library when
// nothing else loads it. Another maker's processor stays, noted as kept.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "system/os_kind.h"

class CPrinterList;

// The spooler's key of one print processor, which names its library.
std::string PrintProcessorKey(OsKind os, std::string_view processorName);
// Takes `processorName` out of `names` in any letter case: the spooler reads
// processor names without case, so a printer on "vkprint" uses "VKPrint".
void ForgetPrintProcessor(std::vector<std::string>& names, std::string_view processorName);
void RemoveFreedPrintProcessors(CPrinterList& printers, const std::vector<std::string>& processorNames);
