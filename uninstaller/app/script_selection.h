// Selection without the wizard: from a script file (switch I), or everything
// (switches S or ALL without a script). Only selection flags are set here;
// the removal is the same as after the wizard.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "items/unst_item.h"
#include "platform/file_system.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_list.h"

class CIniFile;

class ScriptSelection {
 public:
  ScriptSelection(plat::FileSystem& files, std::string path) : scriptPath(std::move(path)), files_(files) {}

  // Sets selection flags only. False when `errorText` says why the script
  // cannot be applied; the script file is only ever read.
  bool ApplyScript(UnstItemArray& items, CPrinterList& printers, std::vector<CPrinterDriver*>& orphanDrivers);

  // A script value as a decimal integer: an optional sign and the leading
  // digits, 0 without any, held at the ends of int rather than overflowing.
  static int ScriptValue(std::string_view value);

  std::string scriptPath;
  std::string errorText;

 private:
  bool ScriptExists();
  void SelectFromScript(const CIniFile& script, UnstItemArray& items, CPrinterList& printers,
                        std::vector<CPrinterDriver*>& orphanDrivers);
  static void ClearAncestorsOfUnselected(UnstItemArray& items);
  void CheckSelection(const UnstItemArray& items, const CPrinterList& printers,
                      const std::vector<CPrinterDriver*>& orphanDrivers);

  plat::FileSystem& files_;
};
