// The printers and unattached drivers as the wizard offers them: a name to
// show and the flag the user's choice is written to. The wizard's model works
// on these, so it needs no spooler behind the printers and drivers.
#pragma once
#include <string>
#include <vector>

#include "printing/printer_list.h"

class CPrinterDriver;

struct Choice {
  std::string name;
  bool* selected = nullptr;
  // Still untried by a removal: only then does a selection count. A driver
  // that a printer's removal already dealt with is shown, but not as chosen.
  bool notTried = true;
};

struct ChoiceList {
  bool present = false;  // the group is shown, even when it lists nothing
  std::vector<Choice> entries;
};

// Every printer makes the group present; only the maker's are offered.
ChoiceList PrinterChoices(const CPrinterList& printers);
ChoiceList DriverChoices(const std::vector<CPrinterDriver*>& orphanDrivers);
