#include "wait_dlg.h"

#include "ui_ids.h"
#include "wide.h"
#include "wizard/removal_dialogs.h"

namespace ui {

namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTickMs = 1000;
constexpr int kImageSize = 16;

}  // namespace

INT_PTR CWaitDlg::Show(HINSTANCE inst, HWND owner) { return DoModal(inst, IDD_WAIT, owner); }

void CWaitDlg::End(INT_PTR result) {
  if (timer_ != 0) KillTimer(hwnd(), timer_);
  timer_ = 0;
  EndDialog(hwnd(), result);
}

INT_PTR CWaitDlg::OnMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowTextW(hwnd(), L"Waiting for print jobs to finish");
      SetDlgItemTextW(hwnd(), IDC_PRINTER_NAME, Wide(printerName_).c_str());
      SetDlgItemTextW(hwnd(), IDC_WAIT_MESSAGE, L"There are jobs in the print queue.  Waiting for them to finish...");
      cancel_.Attach(GetDlgItem(hwnd(), IDCANCEL));
      SetWindowTextW(cancel_.hwnd(), L"&Cancel");
      // Without its picture the button still works and shows its caption.
      (void)cancel_.SetBitmap(inst(), IDB_EXIT, kImageSize, kImageSize);
      cancel_.MakeBold();
      // Without a timer the dialog stays until the user cancels it.
      timer_ = SetTimer(hwnd(), kTimerId, kTickMs, nullptr);
      startTicks_ = GetTickCount();
      return TRUE;
    case WM_TIMER:
      if (wp != kTimerId || timer_ == 0) return FALSE;
      switch (DecideWaitTick(queueEmpty_(), GetTickCount() - startTicks_, timeoutSeconds_)) {
        case WaitTick::QueueEmpty: End(IDOK); break;
        case WaitTick::TimedOut: End(IDCANCEL); break;
        case WaitTick::KeepWaiting: break;
      }
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDCANCEL) {
        End(IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace ui
