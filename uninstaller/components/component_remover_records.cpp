#include "components/component_remover.h"

// PLACEHOLDER until the records are read from the log.
void ComponentRemover::RemovePrinterRecords(const CPrinterList& /*printers*/) {}

void ComponentRemover::RemoveDriverRecords(const CPrinterDriverList& /*drivers*/) {}

void ComponentRemover::RemoveStaleDevModes(const CPrinterList& /*printers*/) {}

std::string ComponentRemover::RemoveUninstallerRecord(bool withSelf) {
  if (!withSelf) return std::string();
  return platform_.process.ModulePath();
}
