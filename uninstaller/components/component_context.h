// What the component removers reach of the application: the platform, the
// Windows version, the one deleter, the printer and driver inventories (some
// removers look at printers' ports or take files out of the drivers' lists)
// and the remove-all option of the command line.
#pragma once
#include <string>

#include "platform/platform.h"
#include "system/os_kind.h"

class CPrinterDriverList;
class CPrinterList;
class DeferredDeleter;

struct ComponentContext {
  plat::Platform& platform;
  OsKindCache& osKind;
  DeferredDeleter& deleter;
  CPrinterList& printers;
  CPrinterDriverList& drivers;
  bool removeAll = false;

  OsKind os() const { return osKind.Get(); }
};
