// The progress dialog of an interactive removal: it starts the removal, shows
// the worker's status records on a line and a bar, lets the worker wait for a
// printer's queue, and ends only when the worker says it is done.
#pragma once
#include <windows.h>

#include <string>

#include "modal_dialog.h"

namespace ui {

// The messages the removal worker sends or posts to the dialog.
inline constexpr UINT kStatusUpdateMessage = WM_USER + 50;
inline constexpr UINT kRemovalDoneMessage = WM_USER + 51;
inline constexpr UINT kWaitForJobsMessage = WM_USER + 52;

// What the dialog needs from the removal: starting it, reading its status
// records and the printers it waits for. The records and printers arrive as
// the messages' second parameter.
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
  virtual Status Read(LPARAM record) = 0;
  virtual void Free(LPARAM record) = 0;
  virtual std::string PrinterName(LPARAM printer) = 0;
  virtual bool QueueEmpty(LPARAM printer) = 0;
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
  void OnStatus(LPARAM record);
  LRESULT OnWaitForJobs(LPARAM printer);

  RemovalFeed& feed_;
  int total_;
  bool done_ = false;
};

}  // namespace ui
