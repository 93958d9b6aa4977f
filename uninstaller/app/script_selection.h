// Selection without the wizard: from a script file (switch I), or everything
// (switches S or ALL without a script).
#pragma once
#include <string>
#include <vector>

#include "items/unst_item.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_list.h"

class ScriptSelection {
 public:
  explicit ScriptSelection(std::string path) : scriptPath(std::move(path)) {}

  // Sets selection flags only. False when `errorText` says why the script
  // cannot be applied.
  bool ApplyScript(UnstItemArray& items, CPrinterList& printers, std::vector<CPrinterDriver*>& orphanDrivers);

  std::string scriptPath;
  std::string errorText;
};
