// What the printing code reaches of the application: the platform, the
// Windows version, the one deleter, the spooler-restart flag, the driver list
// (printers and drivers look at other sets) and the run-time libraries.
#pragma once
#include "platform/platform.h"
#include "system/os_kind.h"

class CPrinterDriverList;
class DeferredDeleter;
class LoadedLibraryTable;

struct PrintingContext {
  plat::Platform& platform;
  OsKindCache& osKind;
  DeferredDeleter& deleter;
  bool& restartSpooler;
  CPrinterDriverList& drivers;
  LoadedLibraryTable& libraries;

  OsKind os() const { return osKind.Get(); }
};
