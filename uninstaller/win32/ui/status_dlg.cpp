#include "status_dlg.h"

#include <commctrl.h>

#include "ui_ids.h"
#include "wait_dlg.h"
#include "wide.h"
#include "wizard/removal_dialogs.h"

namespace ui {

namespace {

constexpr int kWaitSeconds = 30;

}  // namespace

INT_PTR CStatusDlg::Show(HINSTANCE inst, HWND owner) { return DoModal(inst, IDD_STATUS, owner); }

void CStatusDlg::OnStatus(WPARAM record) {
  const RemovalFeed::Status s = feed_.Read(record);
  if (s.flags & kStatusText) SetDlgItemTextW(hwnd(), IDC_STATUS_TEXT, Wide(s.text).c_str());
  HWND bar = GetDlgItem(hwnd(), IDC_PROGRESS);
  const auto current = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
  const int next = ProgressAfter(s.flags, current, s.position);
  if (next != current) SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(next), 0);
  if (s.receiverFrees) feed_.Free(record);
}

LRESULT CStatusDlg::OnWaitForJobs(WPARAM printer) {
  if (printer == 0) return 0;
  CWaitDlg wait(feed_.PrinterName(printer), [this, printer] { return feed_.QueueEmpty(printer); }, kWaitSeconds);
  return wait.Show(inst(), hwnd()) == IDOK ? 1 : 0;
}

INT_PTR CStatusDlg::OnMessage(UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowTextW(hwnd(), L"Uninstall Status");
      SetDlgItemTextW(hwnd(), IDC_STATUS_TEXT, L"");
      SendDlgItemMessageW(hwnd(), IDC_PROGRESS, PBM_SETRANGE32, 0, total_);
      feed_.Start(hwnd());
      return TRUE;
    case kStatusUpdateMessage:
      OnStatus(wp);
      return Answer(0);
    case kWaitForJobsMessage:
      return Answer(OnWaitForJobs(wp));
    case kRemovalDoneMessage:
      done_ = true;
      EndDialog(hwnd(), IDOK);
      return TRUE;
    case WM_COMMAND:
      // Escape and the close box while the worker runs: refused.
      if (LOWORD(wp) == IDCANCEL) {
        if (done_) EndDialog(hwnd(), IDOK);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace ui
