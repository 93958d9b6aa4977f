// A modal dialog from a template of ours, with its window procedure as a
// member: the small common part of the removal's dialogs. Image buttons on
// the dialog are drawn without each dialog asking.
#pragma once
#include <windows.h>

namespace ui {

class ModalDialog {
 public:
  ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog() = default;

  // The value the dialog ended with, or -1 when it could not be shown.
  INT_PTR DoModal(HINSTANCE inst, int templateId, HWND owner);

 protected:
  // Answers a message as a dialog procedure does: TRUE when handled.
  virtual INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  HWND hwnd() const { return hwnd_; }
  HINSTANCE inst() const { return inst_; }
  // A handled message's result, for those that need one.
  INT_PTR Answer(LRESULT value);

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
  HINSTANCE inst_ = nullptr;
};

}  // namespace ui
