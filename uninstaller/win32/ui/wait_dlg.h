// Waits, from inside the progress dialog, until a printer's queue is empty:
// it looks once a second and gives up once the timeout has passed.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "modal_dialog.h"
#include "sx_button.h"

namespace ui {

class CWaitDlg : public ModalDialog {
 public:
  // `queueEmpty` asks the printer whether its queue is empty now.
  CWaitDlg(std::string printerName, std::function<bool()> queueEmpty, int timeoutSeconds = 5)
      : printerName_(std::move(printerName)), queueEmpty_(std::move(queueEmpty)), timeoutSeconds_(timeoutSeconds) {}

  // IDOK when the queue emptied, IDCANCEL when the user or the clock ended it.
  INT_PTR Show(HINSTANCE inst, HWND owner);

 protected:
  INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void End(INT_PTR result);

  std::string printerName_;
  std::function<bool()> queueEmpty_;
  int timeoutSeconds_;
  UINT_PTR timer_ = 0;
  DWORD startTicks_ = 0;
  CSXButton cancel_;
};

}  // namespace ui
