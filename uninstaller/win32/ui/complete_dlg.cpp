#include "complete_dlg.h"

#include "ui_ids.h"
#include "wide.h"
#include "wizard/removal_dialogs.h"

namespace ui {

namespace {

constexpr int kImageSize = 16;

// An edit control breaks lines only at CR LF.
std::wstring EditLines(const std::string& text) {
  std::wstring out;
  for (wchar_t c : Wide(text)) {
    if (c == L'\r') continue;
    if (c == L'\n') out += L'\r';
    out += c;
  }
  return out;
}

}  // namespace

INT_PTR CCompleteDlg::Show(HINSTANCE inst, HWND owner) { return DoModal(inst, IDD_COMPLETE, owner); }

int CCompleteDlg::restartChoice() const { return RestartChoiceOnClose(closedWithOk_, chosen_); }

void CCompleteDlg::OnInit() {
  HWND dlg = hwnd();
  ok_.Attach(GetDlgItem(dlg, IDOK));
  SetWindowTextW(ok_.hwnd(), L"&OK");
  // Without its picture the button still works and shows its caption.
  (void)ok_.SetBitmap(inst(), IDB_OK, kImageSize, kImageSize);
  ok_.MakeBold();
  ok_.SetDefault(true);

  const CompletionView view = ViewCompletion(showFailures_, rebootNeeded_);
  ShowWindow(GetDlgItem(dlg, IDC_FAILURES), view.showFailures ? SW_SHOW : SW_HIDE);
  ShowWindow(GetDlgItem(dlg, IDC_ERROR_MESSAGE), view.showFailures ? SW_SHOW : SW_HIDE);
  SetDlgItemTextW(dlg, IDC_ERROR_MESSAGE, Wide(view.errorMessage).c_str());
  SetDlgItemTextW(dlg, IDC_FAILURES, EditLines(failureText_).c_str());
  SetDlgItemTextW(dlg, IDC_COMPLETE_MESSAGE, Wide(view.completeMessage).c_str());
  HWND yes = GetDlgItem(dlg, IDC_RESTART);
  HWND no = GetDlgItem(dlg, IDC_NO_RESTART);
  ShowWindow(yes, view.showRestartChoice ? SW_SHOW : SW_HIDE);
  ShowWindow(no, view.showRestartChoice ? SW_SHOW : SW_HIDE);
  SetWindowTextW(yes, Wide(view.yesText).c_str());
  SetWindowTextW(no, Wide(view.noText).c_str());
  chosen_ = view.restartChoice;
  SendMessageW(yes, BM_SETCHECK, chosen_ == kRestartNow ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(no, BM_SETCHECK, chosen_ == kRestartLater ? BST_CHECKED : BST_UNCHECKED, 0);
  SetWindowTextW(dlg, L"Uninstall");
}

INT_PTR CCompleteDlg::OnMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      OnInit();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK) {
        if (SendDlgItemMessageW(hwnd(), IDC_RESTART, BM_GETCHECK, 0, 0) == BST_CHECKED)
          chosen_ = kRestartNow;
        else if (SendDlgItemMessageW(hwnd(), IDC_NO_RESTART, BM_GETCHECK, 0, 0) == BST_CHECKED)
          chosen_ = kRestartLater;
        closedWithOk_ = true;
        EndDialog(hwnd(), IDOK);
        return TRUE;
      }
      if (LOWORD(wp) == IDCANCEL) {
        EndDialog(hwnd(), IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace ui
