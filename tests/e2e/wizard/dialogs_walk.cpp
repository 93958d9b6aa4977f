// Walks through the removal's dialogs under Wine: the progress dialog fed by
// a stand-in worker (status records, a wait for a printer's queue, a close
// request it must refuse), a wait that runs out, and the completion dialog
// ended with OK on "No", closed without OK, and with nothing to report.
// Every dialog is photographed into the directory given as first argument.
//   dialogs_walk.exe OUTPUT_DIR
#include <windows.h>

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "complete_dlg.h"
#include "status_dlg.h"
#include "ui_ids.h"
#include "wait_dlg.h"
#include "walk_helpers.h"
#include "wide.h"
#include "wizard/removal_dialogs.h"

namespace {

using namespace walk;

constexpr WPARAM kPrinter = 7;
HANDLE g_closeTried = nullptr;  // set once the user thread tried to close the progress dialog
std::atomic<bool> g_waitSeen{false};  // the user thread has looked at the wait dialog

struct Record {
  int flags;
  std::string text;
  int position;
};

// A worker that reports like the removal does: blocking sends, then a post.
class StandInRemoval : public ui::RemovalFeed {
 public:
  void Start(HWND dialog) override {
    dialog_ = dialog;
    CloseHandle(CreateThread(nullptr, 0, &Run, this, 0, nullptr));
  }
  Status Read(WPARAM record) override {
    const auto* r = reinterpret_cast<const Record*>(record);
    return {r->flags, r->text, r->position, true};
  }
  void Free(WPARAM record) override {
    delete reinterpret_cast<Record*>(record);
    ++freed;
  }
  std::string PrinterName(WPARAM printer) override { return printer == kPrinter ? "Vorkast Laser 5" : "?"; }
  // The queue empties on the third look, about three seconds in, and not
  // before the user thread has looked at the wait dialog: on a busy machine
  // the dialog could otherwise come and go between two of its looks.
  bool QueueEmpty(WPARAM) override { return ++looks >= 3 && g_waitSeen; }

  std::atomic<int> freed{0};
  std::atomic<int> looks{0};
  LRESULT waitAnswer = -1;
  int barAfterSetAndStep = -1;
  int barAtEnd = -1;

 private:
  void Send(int flags, const char* text, int position = 0) {
    SendMessageW(dialog_, ui::kStatusUpdateMessage, reinterpret_cast<WPARAM>(new Record{flags, text, position}), 0);
  }
  int Bar() { return static_cast<int>(SendDlgItemMessageW(dialog_, IDC_PROGRESS, PBM_GETPOS, 0, 0)); }

  static DWORD WINAPI Run(LPVOID self) {
    auto* r = static_cast<StandInRemoval*>(self);
    r->Send(kStatusText | kStatusStep, "Removing printer Vorkast Laser 5");
    r->waitAnswer = SendMessageW(r->dialog_, ui::kWaitForJobsMessage, kPrinter, 0);
    r->Send(kStatusPosition | kStatusStep, "", 5);
    r->barAfterSetAndStep = r->Bar();
    r->Send(kStatusText | kStatusStep, "Removing Status Monitor");
    r->barAtEnd = r->Bar();
    WaitForSingleObject(g_closeTried, 20000);
    PostMessageW(r->dialog_, ui::kRemovalDoneMessage, 0, 0);
    return 0;
  }

  HWND dialog_ = nullptr;
};

HWND ControlOf(HWND dlg, int id) { return GetDlgItem(dlg, id); }

DWORD WINAPI User(LPVOID) {
  HWND status = WaitFor([] { return FindTopLevel(L"Uninstall Status"); }, "the progress dialog");
  HWND wait = WaitFor([] { return FindTopLevel(L"Waiting for print jobs to finish"); }, "the wait dialog");
  Settle(wait);
  Photograph(wait, L"dialog-wait.png");
  Expect(ui::WindowText(ControlOf(wait, IDC_PRINTER_NAME)) == L"Vorkast Laser 5", "the wait names the printer");
  Expect(ui::WindowText(ControlOf(wait, IDCANCEL)) == L"&Cancel", "the wait's button says Cancel");
  g_waitSeen = true;
  WaitGone(wait, "the wait dialog");

  Settle(status);
  Photograph(status, L"dialog-progress.png");
  Expect(ui::WindowText(ControlOf(status, IDC_STATUS_TEXT)) == L"Removing Status Monitor",
         "the progress dialog shows the last status text");
  // Escape and the close box while the worker runs change nothing.
  PostMessageW(status, WM_CLOSE, 0, 0);
  PostMessageW(status, WM_KEYDOWN, VK_ESCAPE, 0);
  Settle(status);
  Expect(IsWindow(status) != FALSE, "the progress dialog refuses to close before the removal is done");
  SetEvent(g_closeTried);
  WaitGone(status, "the progress dialog");

  // A wait that never sees an empty queue gives up by itself.
  HWND timedOut = WaitFor([] { return FindTopLevel(L"Waiting for print jobs to finish"); }, "the second wait");
  WaitGone(timedOut, "the second wait");

  // With failures and a needed restart: "No", then Enter on OK.
  HWND done = WaitFor([] { return FindTopLevel(L"Uninstall"); }, "the completion dialog");
  Settle(done);
  Photograph(done, L"dialog-complete-restart.png");
  Expect(SendMessageW(ControlOf(done, IDC_RESTART), BM_GETCHECK, 0, 0) == BST_CHECKED, "Yes starts selected");
  SendMessageW(ControlOf(done, IDC_NO_RESTART), BM_CLICK, 0, 0);
  PostMessageW(ControlOf(done, IDOK), WM_KEYDOWN, VK_RETURN, 0);
  WaitGone(done, "the completion dialog");

  // The same dialog closed with its close box.
  done = WaitFor([] { return FindTopLevel(L"Uninstall"); }, "the second completion dialog");
  Settle(done);
  PostMessageW(done, WM_CLOSE, 0, 0);
  WaitGone(done, "the second completion dialog");

  // Nothing failed, nothing to restart.
  done = WaitFor([] { return FindTopLevel(L"Uninstall"); }, "the plain completion dialog");
  Settle(done);
  Photograph(done, L"dialog-complete.png");
  Expect(!IsWindowVisible(ControlOf(done, IDC_RESTART)) && !IsWindowVisible(ControlOf(done, IDC_NO_RESTART)) &&
             !IsWindowVisible(ControlOf(done, IDC_FAILURES)) && !IsWindowVisible(ControlOf(done, IDC_ERROR_MESSAGE)),
         "a plain completion shows neither the restart choice nor a failure list");
  Expect(ui::WindowText(ControlOf(done, IDC_COMPLETE_MESSAGE)) == L"Uninstall is complete.", "it says it is complete");
  PostMessageW(ControlOf(done, IDOK), WM_KEYDOWN, VK_RETURN, 0);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: dialogs_walk.exe OUTPUT_DIR\n");
    return 2;
  }
  Begin(argv[1]);
  InitCommonControls();
  g_closeTried = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HINSTANCE inst = GetModuleHandleW(nullptr);
  CloseHandle(CreateThread(nullptr, 0, &User, nullptr, 0, nullptr));

  StandInRemoval removal;
  ui::CStatusDlg progress(removal, 10);
  Expect(progress.Show(inst, nullptr) == IDOK, "the progress dialog ends with OK when the removal is done");
  Expect(removal.waitAnswer == 1, "the wait answers 1 when the queue emptied");
  Expect(removal.freed == 3, "every status record the dialog was to free is freed");
  Expect(removal.barAfterSetAndStep == 5, "a record with a position and a step sets the bar without stepping it");
  Expect(removal.barAtEnd == 6, "a step advances the bar by one");

  ui::CWaitDlg stuck("Vorkast Colour 3", [] { return false; }, 1);
  Expect(stuck.Show(inst, nullptr) == IDCANCEL, "a queue that stays full ends the wait with Cancel");

  ui::CCompleteDlg restart(true, true, "Vorkast Laser 5\nStatus Monitor");
  Expect(restart.Show(inst, nullptr) == IDOK, "Enter on OK ends the completion dialog with OK");
  Expect(restart.restartChoice() == kRestartLater, "choosing No and OK means no restart");

  ui::CCompleteDlg closed(false, true, "");
  closed.Show(inst, nullptr);
  Expect(closed.restartChoice() == kRestartLater, "closing without OK means no restart");

  ui::CCompleteDlg plain(false, false, "");
  plain.Show(inst, nullptr);
  return Finish();
}
