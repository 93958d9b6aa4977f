// What the printing code reaches of the application: the platform, the
// Windows version, the one deleter, the spooler-restart flag, the driver list
// (printers and drivers look at other sets).
#pragma once
#include "platform/platform.h"
#include "system/os_kind.h"

class CPrinterDriverList;
class DeferredDeleter;

struct PrintingContext {
  plat::Platform& platform;
  OsKindCache& osKind;
  DeferredDeleter& deleter;
  bool& restartSpooler;
  CPrinterDriverList& drivers;

  OsKind os() const { return osKind.Get(); }
};
