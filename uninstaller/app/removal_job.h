// What the removal worker is given: everything it removes from, and where it
// reports progress.
#pragma once
#include "app/component_tree.h"
#include "items/unst_item.h"
#include "platform/handle.h"
#include "printing/printer_driver_list.h"
#include "printing/printer_list.h"

struct RemovalJob {
  UnstItemArray* items = nullptr;
  UnstTreeNode* treeRoot = nullptr;
  plat::Handle statusWindow = plat::kNoHandle;  // none in a silent run
  CPrinterList* printers = nullptr;
  CPrinterDriverList* drivers = nullptr;
};
