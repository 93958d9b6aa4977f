// The one connection to the install-log server and the removers of the
// maker's software components: the catalogue that finds the installed
// components, the removal of what an installer logged for a component, the
// removers that run a product's own uninstaller or tools first, the
// network-management add-ins, and the clean-up of the log's printer, driver
// and uninstaller records.
//
// The constructor connects to the server and raises InstallLogError when it
// cannot; so does any log call that fails afterwards.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/component_context.h"
#include "components/ole_log_component.h"
#include "items/unst_item.h"
#include "platform/handle.h"
#include "platform/registry.h"

class ComponentRemover {
 public:
  explicit ComponentRemover(const ComponentContext& context);
  ~ComponentRemover();
  ComponentRemover(const ComponentRemover&) = delete;
  ComponentRemover& operator=(const ComponentRemover&) = delete;

  // ---- Catalogue and detection (component_remover_catalogue.cpp) ----------
  // Adds one item per installed component of the catalogue, display names
  // from the string table of `resources`; the number of items afterwards.
  std::size_t FillCatalogue(UnstItemArray& items, plat::Handle resources);
  // Index of the new item, or -1 when the component is not installed.
  int AddComponent(std::string_view logSection, std::string_view key, std::string_view parentKey,
                   std::string_view displayName, int kind, UnstItemArray& items);
  int AddComponentById(std::string_view logSection, std::string_view key, std::string_view parentKey,
                       std::uint32_t textId, int kind, UnstItemArray& items, plat::Handle resources);
  bool IsComponentInstalled(std::string_view key);
  // The log lists an installed part besides "Printer" and "Driver".
  bool HasOtherSoftware();

  // ---- What an installer logged (component_remover_logged.cpp) ------------
  // Files, registry entries, shell items and the base directory of a
  // component, then its record. A file entry holding any of `exclusions`
  // (ignoring case) stays.
  void RemoveLoggedComponent(std::string_view key, const std::vector<std::string>& exclusions);
  void RemoveLoggedFiles(std::string_view key, const std::vector<std::string>& exclusions);
  void RemoveLoggedRegistry(std::string_view key);
  void RemoveLoggedShellItems(std::string_view key);
  // One logged file (kind 1, with its help index) or directory tree (kind 2).
  void DeleteLoggedPath(std::string_view path, int kind);
  // One logged registry entry: the value (kind 3), or the value and the
  // whole key (kind 4). False when the entry cannot be parsed.
  bool DeleteRegistryEntry(std::string_view entry, int kind);
  // One Start-menu entry or folder, through the shell. Always true.
  bool ShellDelete(std::string_view path);

  // ---- The removers (component_remover.cpp and one file per group) --------
  // Removes one component; false when something of it stays.
  bool RemoveComponent(UnstItem& item);
  // Starts a command line; with `wait`, returns when it has ended. False
  // when it could not be started.
  bool RunCommand(std::string_view commandLine, bool wait);
  void RemoveScheduler();
  bool RemoveAtJob();
  bool RemoveScheduledTask();
  void ClearBaseDirectory(std::string_view dir);
  void RemoveStatusWindow();
  void RemoveDriverConfigTool();
  void RemovePlugNPrint();
  void RemoveEventAgent();
  void RemoveServerAgent(std::string_view key);
  void RemoveKestrion();
  void DeleteAllHere();
  void RemoveKsinetClient();
  void RemoveKsinetServer();
  void RemoveWebComponent(std::string_view key, bool restartWeb);
  bool RemoveBidi();

  // ---- Network-management add-ins (component_remover_platforms.cpp) ------
  void RemoveOpenViewSnapIn();
  void RemoveUnicenterSnapIn();
  void RemoveOpenViewFiles();
  void RemoveNetViewFiles();
  // Drops the maker's lines from a platform's two object identifier files.
  void RemoveVendorLines(plat::HKey root, std::string_view keyPath, std::string_view confSubdir);

  // ---- Records and final clean-up (component_remover_records.cpp) ---------
  // Drop the log's records of printers and drivers that are gone.
  void RemovePrinterRecords(const CPrinterList& printers);
  void RemoveDriverRecords(const CPrinterDriverList& drivers);
  // Cleans the per-printer device settings left under HKEY_USERS.
  void RemoveStaleDevModes(const CPrinterList& printers);
  // Final clean-up of the uninstaller's own registration. The running
  // uninstaller's full path when its record lists the program, else "".
  std::string RemoveUninstallerRecord(bool withSelf);

  // ---- Status notices to the progress dialog ------------------------------
  void SetStatusWindow(plat::Handle statusWindow) { progressWindow_ = statusWindow; }
  void NotifyRemoving(std::string_view name);
  void NotifyStep();
  void NotifyLockedFiles();

  // The bidirectional-communication component was removed in this run.
  bool bidiRemoved = false;

 private:
  // The connection; null once the final clean-up has let it go.
  OleLogComponent& Log();

  ComponentContext context_;
  plat::Platform& platform_;
  std::unique_ptr<OleLogComponent> log_;
  // The catalogue's running "requires" list.
  std::vector<std::string> requires_;
  plat::Handle progressWindow_ = plat::kNoHandle;
};
