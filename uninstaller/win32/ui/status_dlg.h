// The progress dialog of an interactive removal: it starts the removal, shows
// the worker's status records on a line and a bar, lets the worker wait for a
// printer's queue, and ends only when the worker says it is done.
#pragma once
#include <windows.h>

#include <string>

#include "modal_dialog.h"
#include "win32/removal_messages.h"

namespace ui {

// The messages the removal worker sends or posts to the dialog: the same
// numbers the Windows ports send.
inline constexpr UINT kStatusUpdateMessage = win32::WM_STATUS_UPDATE;
inline constexpr UINT kRemovalDoneMessage = win32::WM_REMOVAL_DONE;
inline constexpr UINT kWaitForJobsMessage = win32::WM_WAIT_FOR_JOBS;

// What the dialog needs from the removal: starting it, reading its status
// records and the printers it waits for. The records and printers arrive as
// the messages' first parameter.
class RemovalFeed {
 public:
  struct Status {
    int flags = 0;
    std::string text;
    int position = 0;
    bool receiverFrees = false;
  };

  virtual ~RemovalFeed() = default;
  // Starts the removal, which reports to `statusDialog`.
  virtual void Start(HWND statusDialog) = 0;
  virtual Status Read(WPARAM record) = 0;
  virtual void Free(WPARAM record) = 0;
  virtual std::string PrinterName(WPARAM printer) = 0;
  virtual bool QueueEmpty(WPARAM printer) = 0;
};

class CStatusDlg : public ModalDialog {
 public:
  explicit CStatusDlg(RemovalFeed& feed, int total = 10) : feed_(feed), total_(total) {}

  // Returns IDOK once the worker has posted that it is done; a close request
  // before that is refused, so nothing after the dialog runs while the
  // worker still works.
  INT_PTR Show(HINSTANCE inst, HWND owner);

 protected:
  INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OnStatus(WPARAM record);
  LRESULT OnWaitForJobs(WPARAM printer);

  RemovalFeed& feed_;
  int total_;
  bool done_ = false;
};

}  // namespace ui
