#include "components/component_remover.h"

std::optional<std::size_t> ComponentRemover::FillCatalogue(UnstItemArray& /*items*/, plat::Handle /*resources*/) {
  return 0;
}

bool ComponentRemover::RemoveComponent(UnstItem& item) {
  NotifyRemoving(item.displayName);
  NotifyStep();
  // No log entry of the component can be read yet, so nothing of it is found
  // to stay.
  return true;
}

bool ComponentRemover::HasOtherSoftware() { return false; }

void ComponentRemover::RemovePrinterRecords() {}

void ComponentRemover::RemoveDriverRecords() {}

void ComponentRemover::RemoveStaleDevModes() {}

std::string ComponentRemover::RemoveUninstallerRecord(bool withSelf) {
  // Every install logs the uninstaller's own program under its record; until
  // the record can be read, that entry is taken as present.
  if (!withSelf) return std::string();
  return platform_.process.ModulePath();
}

void ComponentRemover::NotifyRemoving(std::string_view name) {
  plat::SendStatus(platform_.ui, statusWindow_, "Removing \"" + std::string(name) + "\" files...",
                   plat::status::ShowText);
}

void ComponentRemover::NotifyStep() { plat::SendStatus(platform_.ui, statusWindow_, std::string(), plat::status::Step); }

void ComponentRemover::NotifyLockedFiles() {
  plat::SendStatus(platform_.ui, statusWindow_, "Attempting to remove locked files...", plat::status::ShowText);
}
