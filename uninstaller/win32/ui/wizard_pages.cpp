#include "wizard_pages.h"

#include <memory>

#include "ui_ids.h"
#include "wizard/confirm_tree.h"
#include "wizard/wizard_buttons.h"

namespace ui {

namespace {

constexpr wchar_t kPageTitle[] = L"Uninstall";
constexpr wchar_t kNothingChosen[] = L"You must select at least one item to uninstall.";

template <typename Page>
Page* PageOf(HWND hwnd, UINT msg, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    auto* page = reinterpret_cast<Page*>(reinterpret_cast<const PROPSHEETPAGEW*>(lp)->lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
    return page;
  }
  return reinterpret_cast<Page*>(GetWindowLongPtrW(hwnd, DWLP_USER));
}

PROPSHEETPAGEW MakePage(HINSTANCE inst, int templateId, DLGPROC proc, void* self) {
  PROPSHEETPAGEW p{};
  p.dwSize = sizeof p;
  p.dwFlags = PSP_USETITLE;
  p.hInstance = inst;
  p.pszTemplate = MAKEINTRESOURCEW(templateId);
  p.pszTitle = kPageTitle;
  p.pfnDlgProc = proc;
  p.lParam = reinterpret_cast<LPARAM>(self);
  return p;
}

// A dialog procedure answers a notification through DWLP_MSGRESULT.
INT_PTR Answer(HWND hwnd, LRESULT value) {
  SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, value);
  return TRUE;
}

}  // namespace

PROPSHEETPAGEW CSelectPage::Page() { return MakePage(inst_, IDD_SELECT, &Proc, this); }

void CSelectPage::OnInit(HWND page) {
  hwnd_ = page;
  // Without the strip the control draws fewer kinds of box; clicks and keys
  // still go through the model.
  (void)tree_.Init(GetDlgItem(page, IDC_SELECT_TREE), page, model_.tree(), inst_, IDB_CHECKBOXES);
  model_.Fill();
  tree_.Rebuild();
}

LRESULT CSelectPage::OnNotify(const NMHDR& n) {
  switch (n.code) {
    case PSN_SETACTIVE:
      sheet_.SetWizardButtons(backButton_ ? kWizBack | kWizNext : kWizNext);
      model_.Activate();
      tree_.Refresh();
      return 0;
    case PSN_WIZNEXT:
      if (!model_.AnythingChosen()) {
        MessageBoxW(hwnd_, kNothingChosen, kPageTitle, MB_OK | MB_ICONEXCLAMATION);
        return -1;
      }
      model_.WriteBack();
      return 0;
    case PSN_WIZBACK:
      // Back on the first page ends the whole wizard.
      model_.WriteBack();
      sheet_.SetResult(WizardResult::Back);
      PostMessageW(sheet_.hwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      return -1;
    default:
      return 0;
  }
}

INT_PTR CALLBACK CSelectPage::Proc(HWND hwnd, UINT msg, WPARAM, LPARAM lp) {
  CSelectPage* self = PageOf<CSelectPage>(hwnd, msg, lp);
  if (self == nullptr) return FALSE;
  switch (msg) {
    case WM_INITDIALOG:
      self->OnInit(hwnd);
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lp)->hwndFrom == GetParent(hwnd))
        return Answer(hwnd, self->OnNotify(*reinterpret_cast<const NMHDR*>(lp)));
      return FALSE;
    case WM_CHECK_CHANGED: {
      std::unique_ptr<CheckChange> change(reinterpret_cast<CheckChange*>(lp));
      if (change) self->model_.HandleCheckChange(*change);
      self->tree_.Refresh();
      return TRUE;
    }
    default:
      return FALSE;
  }
}

PROPSHEETPAGEW CConfirmPage::Page() { return MakePage(inst_, IDD_CONFIRM, &Proc, this); }

LRESULT CConfirmPage::OnNotify(const NMHDR& n) {
  switch (n.code) {
    case PSN_SETACTIVE: {
      sheet_.SetWizardButtons(kWizBack | kWizFinish);
      BuildConfirmationTree(chosen_, root_, model_.printers(), model_.drivers());
      tree_.Rebuild(chosen_);
      if (!chosen_.TopLevel().empty())
        SendMessageW(tree_.hwnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(tree_.ItemOf(chosen_.TopLevel().front())));
      return 0;
    }
    case PSN_WIZFINISH:
      sheet_.SetResult(WizardResult::Finish);
      return 0;
    default:
      return 0;
  }
}

INT_PTR CALLBACK CConfirmPage::Proc(HWND hwnd, UINT msg, WPARAM, LPARAM lp) {
  CConfirmPage* self = PageOf<CConfirmPage>(hwnd, msg, lp);
  if (self == nullptr) return FALSE;
  switch (msg) {
    case WM_INITDIALOG:
      self->tree_.Attach(GetDlgItem(hwnd, IDC_CONFIRM_TREE));
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lp)->hwndFrom == GetParent(hwnd))
        return Answer(hwnd, self->OnNotify(*reinterpret_cast<const NMHDR*>(lp)));
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace ui
