#include "selection_wizard.h"

#include <commctrl.h>
#include <prsht.h>

#include "unst_sheet.h"
#include "wizard_pages.h"

namespace ui {

namespace {

// The sheet being created; its initialisation callback carries no context.
CUnstSheet* g_creating = nullptr;

int CALLBACK SheetCallback(HWND sheet, UINT msg, LPARAM) {
  if (msg == PSCB_INITIALIZED && g_creating != nullptr) g_creating->Attach(sheet);
  return 0;
}

}  // namespace

WizardResult RunSelectionWizard(HINSTANCE inst, SelectPageModel& model, const UnstTreeNode* root,
                                const WizardOptions& options) {
  CUnstSheet sheet(inst);
  CSelectPage select(inst, sheet, model, options.backButton);
  CConfirmPage confirm(inst, sheet, model, root);
  PROPSHEETPAGEW pages[2] = {select.Page(), confirm.Page()};

  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_WIZARD | PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOAPPLYNOW;
  header.hwndParent = options.owner;
  header.hInstance = inst;
  header.pszCaption = L"Uninstall";
  header.nPages = 2;
  header.ppsp = pages;
  header.pfnCallback = &SheetCallback;

  g_creating = &sheet;
  const INT_PTR shown = PropertySheetW(&header);
  g_creating = nullptr;
  if (shown < 0) return WizardResult::Exit;
  return sheet.result();
}

}  // namespace ui
