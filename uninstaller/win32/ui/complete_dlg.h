// The last dialog of a removal: what failed to be removed, and the choice
// to restart Windows when files still in use wait for the next start.
#pragma once
#include <windows.h>

#include <string>

#include "modal_dialog.h"
#include "sx_button.h"

namespace ui {

class CCompleteDlg : public ModalDialog {
 public:
  // `failureText` lists what could not be removed, one item a line.
  CCompleteDlg(bool showFailures, bool rebootNeeded, std::string failureText)
      : showFailures_(showFailures), rebootNeeded_(rebootNeeded), failureText_(std::move(failureText)) {}

  INT_PTR Show(HINSTANCE inst, HWND owner);
  // 0: restart now. 1 otherwise, also when the dialog was closed without
  // OK: a restart the user did not confirm never happens.
  int restartChoice() const;

 protected:
  INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OnInit();

  bool showFailures_;
  bool rebootNeeded_;
  std::string failureText_;
  int chosen_ = -1;
  bool closedWithOk_ = false;
  CSXButton ok_;
};

}  // namespace ui
