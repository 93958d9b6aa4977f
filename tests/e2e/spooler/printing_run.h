// The printing logic of drvpurge over the seeded machine, assembled the way
// the application does at start-up: driver list, maker recognition with the
// model list, printer list, attachment.
#pragma once
#include <string>

#include "e2e_machine.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_list.h"
#include "printing/printing_context.h"
#include "scenario.h"
#include "system/deferred_deleter.h"
#include "system/os_kind.h"

namespace e2e {

struct PrintingRun {
  explicit PrintingRun(E2eMachine& m)
      : osKind(m.platform().osInfo),
        deleter(m.files(), m.registry(), m.spooler()),
        context{m.platform(), osKind, deleter, restartSpooler, drivers},
        drivers(context),
        printers(context) {
    deleter.collectMode = true;  // as the application runs
  }

  // Start-up order of the application.
  void Inventory() {
    driversBuilt = drivers.Build();
    drivers.RecognizeMakerSets(std::string(InstallDir()) + "\\Drivers.ini");
    printersBuilt = printers.Build();
    drivers.AttachPrinters(printers);
  }

  OsKindCache osKind;
  DeferredDeleter deleter;
  bool restartSpooler = false;
  PrintingContext context;
  CPrinterDriverList drivers;
  CPrinterList printers;
  bool driversBuilt = false;
  bool printersBuilt = false;
};

}  // namespace e2e
