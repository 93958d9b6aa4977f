#include "modal_dialog.h"

#include "sx_button.h"

namespace ui {

INT_PTR ModalDialog::DoModal(HINSTANCE inst, int templateId, HWND owner) {
  inst_ = inst;
  return DialogBoxParamW(inst, MAKEINTRESOURCEW(templateId), owner, &Proc, reinterpret_cast<LPARAM>(this));
}

INT_PTR ModalDialog::Answer(LRESULT value) {
  SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, value);
  return TRUE;
}

INT_PTR CALLBACK ModalDialog::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  ModalDialog* self = nullptr;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<ModalDialog*>(lp);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lp);
  } else {
    self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (self == nullptr) return FALSE;
  if (msg == WM_DRAWITEM && DrawIfSxButton(lp)) return TRUE;
  return self->OnMessage(msg, wp, lp);
}

}  // namespace ui
