// The push button every dialog of the uninstaller uses: owner-drawn, with a
// small picture beside its caption, a bold font, and Enter pressing it. The
// button's parent hands its WM_DRAWITEM to DrawIfSxButton.
#pragma once
#include <windows.h>

#include "wizard/wizard_buttons.h"

namespace ui {

class CSXButton {
 public:
  CSXButton() = default;
  CSXButton(const CSXButton&) = delete;
  CSXButton& operator=(const CSXButton&) = delete;
  ~CSXButton();

  // Takes over an existing button: from now on it is owner-drawn.
  void Attach(HWND button);
  HWND hwnd() const { return hwnd_; }

  // False when the picture cannot be loaded; the button keeps what it had.
  [[nodiscard]] bool SetIcon(HINSTANCE inst, int id, int width, int height);
  [[nodiscard]] bool SetBitmap(HINSTANCE inst, int id, int width, int height);
  bool SetDefault(bool on);
  void SetMarker(COLORREF colour);
  int SetImageMargin(int pixels);
  int SetTextGap(int pixels);
  PixelPoint SetImagePos(int x, int y);
  PixelPoint SetTextPos(int x, int y);
  void MakeBold();

  void DrawItem(const DRAWITEMSTRUCT& item);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void DropImages();
  void DrawContent(HDC dc, bool pressed, bool disabled);

  HWND hwnd_ = nullptr;
  WNDPROC base_ = nullptr;
  bool autoLayout_ = true;
  PixelPoint imagePos_;
  PixelPoint textPos_;
  int imageMargin_ = 4;
  int textGap_ = 8;
  HICON icon_ = nullptr;
  HBITMAP normalBitmap_ = nullptr;
  HBITMAP disabledBitmap_ = nullptr;
  SIZE imageSize_{0, 0};
  bool showMarker_ = false;
  COLORREF markerColour_ = 0;
  bool isDefault_ = false;
  UINT lastAction_ = 0;
  UINT lastState_ = 0;
  HFONT boldFont_ = nullptr;
};

// Draws the item when it belongs to a CSXButton; false otherwise.
bool DrawIfSxButton(LPARAM drawItem);

}  // namespace ui
