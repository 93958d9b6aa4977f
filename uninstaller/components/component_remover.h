// The one connection to the install-log server and the removers of the
// maker's software components. The install-log client is not connected yet:
// the catalogue finds no component, a component's remover finds nothing of
// it to remove, and the log lists nothing but printers and drivers.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "items/unst_item.h"
#include "platform/handle.h"
#include "platform/platform.h"

class ComponentRemover {
 public:
  explicit ComponentRemover(plat::Platform& platform) : platform_(platform) {}
  ComponentRemover(const ComponentRemover&) = delete;
  ComponentRemover& operator=(const ComponentRemover&) = delete;

  // Adds one item per installed component, with its display name from the
  // string table of `resources`, and returns how many it added; nothing when
  // the install log could not be asked.
  [[nodiscard]] std::optional<std::size_t> FillCatalogue(UnstItemArray& items, plat::Handle resources);
  // Where the removal's status notices go; none in a silent run.
  void SetStatusWindow(plat::Handle statusWindow) { statusWindow_ = statusWindow; }

  // Removes one component; false when something of it stays.
  bool RemoveComponent(UnstItem& item);
  // The log lists an installed part besides "Printer" and "Driver".
  bool HasOtherSoftware();
  // Drop the log's records of printers and drivers that no longer exist.
  void RemovePrinterRecords();
  void RemoveDriverRecords();
  // Cleans the per-printer device settings left under HKEY_USERS.
  void RemoveStaleDevModes();
  // Final clean-up of the uninstaller's own registration. Yields the running
  // uninstaller's full path when its record lists the program, else "".
  std::string RemoveUninstallerRecord(bool withSelf);

  void NotifyRemoving(std::string_view name);
  void NotifyStep();
  void NotifyLockedFiles();

  // The bidirectional-communication component was removed in this run.
  bool bidiRemoved = false;

 private:
  plat::Platform& platform_;
  plat::Handle statusWindow_ = plat::kNoHandle;
};
