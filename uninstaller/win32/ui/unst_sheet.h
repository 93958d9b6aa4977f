// The wizard sheet: hides the sheet's standard buttons and puts four
// owner-drawn buttons of its own in their place, which show, hide and enable
// as the pages' wizard-button flags say.
#pragma once
#include <windows.h>

#include <array>

#include "selection_wizard.h"
#include "sx_button.h"

namespace ui {

class CUnstSheet {
 public:
  explicit CUnstSheet(HINSTANCE inst) : inst_(inst) {}
  CUnstSheet(const CUnstSheet&) = delete;
  CUnstSheet& operator=(const CUnstSheet&) = delete;
  ~CUnstSheet();

  // Called from the sheet's initialisation callback.
  void Attach(HWND sheet);
  void SetWizardButtons(int flags);
  HWND hwnd() const { return hwnd_; }

  WizardResult result() const { return result_; }
  void SetResult(WizardResult r) { result_ = r; }

 private:
  enum Slot { kBack, kNext, kFinish, kExit, kSlots };
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void CreateButtons();
  void ApplyFlags();
  void OnOwnButton(int slot);

  HINSTANCE inst_;
  HWND hwnd_ = nullptr;
  WNDPROC base_ = nullptr;
  HICON largeIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  int flags_ = 2;  // Next only, until a page asks for more
  bool buttonsExist_ = false;
  std::array<CSXButton, kSlots> buttons_;
  WizardResult result_ = WizardResult::Exit;
};

}  // namespace ui
