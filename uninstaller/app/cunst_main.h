// The uninstaller's application object. It owns everything a run works on
// and does the whole run inside InitInstance.
#pragma once
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "app/component_tree.h"
#include "app/removal_job.h"
#include "components/component_context.h"
#include "items/unst_item.h"
#include "platform/platform.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_list.h"
#include "printing/printing_context.h"
#include "system/deferred_deleter.h"
#include "system/os_kind.h"

class CUnstMain {
 public:
  explicit CUnstMain(plat::Platform& platform);
  ~CUnstMain();
  CUnstMain(const CUnstMain&) = delete;
  CUnstMain& operator=(const CUnstMain&) = delete;

  // The program's arguments without the program name, as the C runtime
  // splits them.
  void SetArguments(std::vector<std::string> args);
  // Runs the whole program. Always false: there is no main window to keep
  // the program alive afterwards.
  bool InitInstance();
  // The process exit code.
  int ExitInstance();

  bool IsAdministrator();
  // The translated-resource library from the uninstaller's own directory, or
  // kNoHandle.
  plat::Handle LoadResourceDll();
  // Number of components found; nothing when detection failed.
  [[nodiscard]] std::optional<std::size_t> DetectComponents();
  void BuildComponentTree();
  void RunInteractive(bool showWizard);
  void RunSilent();
  // Fills removalJob and runs RemovalWorker on a worker thread when
  // `asynchronous`, else here. The thread is joined by JoinRemoval.
  void StartRemoval(bool asynchronous, plat::Handle statusWindow);
  // Waits until a worker thread started by StartRemoval has ended.
  void JoinRemoval();
  int RemovalWorker(RemovalJob& job);
  // Retries locked files around a stop of the spooler (Windows 2000/XP), or
  // schedules them for the next start of Windows.
  void RetryLockedFiles();
  void RemoveUninstaller();
  // Deletes the uninstaller and its two directories, or schedules them for
  // the next start of Windows.
  void QueueUninstallerFiles(const std::string& installDir, const std::string& parentDir);
  // Writes and starts the batch file that deletes the uninstaller once it has
  // exited. False when it could not be started.
  bool WriteSelfDeleteBatch(const std::string& installDir, const std::string& parentDir);
  // The printer removal's wait callback: lets the progress dialog wait for
  // the printer's queue. True when the queue became empty.
  bool WaitForJobs(CPrinter& printer, plat::Handle statusWindow);

  // Program Files directory + "\BREVIK\Install".
  std::string InstallDirectory();
  OsKind GetOsKind() { return osKind_.Get(); }
  // What a ComponentRemover made now reaches of the application.
  ComponentContext Components();
  plat::Platform& platform() { return platform_; }

  // A message box with no owner and the program's name as caption.
  int AppMessageBox(const std::string& text, std::uint32_t flags);

  UnstItemArray items;
  ComponentTree componentTree;
  DeferredDeleter deleter;
  bool selfRemove = false;
  std::string uninstallerPath;
  bool keepBidiService = false;
  bool restartSpooler = false;
  int exitCode = 0;
  // What the printers and drivers reach of the application.
  PrintingContext printing;
  CPrinterDriverList drivers;
  CPrinterList printers;
  std::vector<CPrinterDriver*> orphanDrivers;  // the maker's drivers no printer uses

  bool silent = false;
  int rebootMode = 0;
  bool removeAll = false;
  bool backButton = false;
  std::string scriptFile;

  plat::Handle resourceDll = plat::kNoHandle;
  plat::Handle savedResourceHandle = plat::kNoHandle;
  // Where display names are loaded from; kNoHandle is the program's own
  // resources.
  plat::Handle resourceHandle = plat::kNoHandle;

  RemovalJob removalJob;

 private:
  void InventoryPrinting();
  void FreeResourceDll();
  // Steps 2 to 16 of the removal worker; a failure raised here ends them.
  void RemoveSelectedObjects(RemovalJob& job);

  plat::Platform& platform_;
  OsKindCache osKind_;
  std::vector<std::string> args_;
  std::thread worker_;
};
