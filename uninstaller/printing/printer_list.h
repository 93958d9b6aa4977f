// The printers on the machine, each with its driver. The inventory needs the
// spooler, which the platform does not reach yet, so for now the list stays
// empty.
#pragma once
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "printing/printer_driver_list.h"

struct CPrinter {
  std::string name;
  CPrinterDriver* driver = nullptr;  // owned by the driver list
  bool selected = false;
};

class CPrinterList {
 public:
  void Fill() {}
  // Links each printer to its entry in `drivers`.
  void AssociateDrivers(CPrinterDriverList& /*drivers*/) {}

  // The maker's drivers that no printer uses.
  std::vector<CPrinterDriver*> CollectOrphans(const CPrinterDriverList& drivers) const {
    std::vector<CPrinterDriver*> orphans;
    for (const auto& d : drivers.entries) {
      const bool used = std::any_of(entries.begin(), entries.end(),
                                    [&](const auto& p) { return p->driver == d.get(); });
      if (d->isMaker && !used) orphans.push_back(d.get());
    }
    return orphans;
  }

  std::vector<std::unique_ptr<CPrinter>> entries;  // the list owns its printers
};
