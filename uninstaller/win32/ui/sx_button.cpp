#include "sx_button.h"

#include <string>

#include "wide.h"

namespace ui {

namespace {

constexpr wchar_t kSelfProp[] = L"dp.sxbutton";
constexpr int kMarkerLines = 8;
constexpr int kMarkerFirstLength = 7;

}  // namespace

CSXButton::~CSXButton() {
  DropImages();
  if (hwnd_ != nullptr && IsWindow(hwnd_)) {
    RemovePropW(hwnd_, kSelfProp);
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base_));
  }
  if (boldFont_ != nullptr) DeleteObject(boldFont_);
}

void CSXButton::Attach(HWND button) {
  hwnd_ = button;
  SetPropW(button, kSelfProp, this);
  base_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  // Whatever kind of push button it was made as, it is drawn here.
  const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
  SetWindowLongPtrW(button, GWL_STYLE, (style & ~LONG_PTR{BS_TYPEMASK}) | BS_OWNERDRAW);
}

LRESULT CALLBACK CSXButton::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = static_cast<CSXButton*>(GetPropW(hwnd, kSelfProp));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  const WNDPROC base = self->base_;
  switch (msg) {
    case WM_GETDLGCODE: {
      // Enter must reach the button rather than the dialog's default button.
      const auto* m = reinterpret_cast<const MSG*>(lp);
      if (m != nullptr && m->message == WM_KEYDOWN && m->wParam == VK_RETURN)
        return CallWindowProcW(base, hwnd, msg, wp, lp) | DLGC_WANTALLKEYS;
      break;
    }
    case WM_KEYDOWN:
      if (wp == VK_RETURN) {
        SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd));
        return 0;
      }
      break;
    case WM_NCDESTROY:
      RemovePropW(hwnd, kSelfProp);
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
      self->hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return CallWindowProcW(base, hwnd, msg, wp, lp);
}

void CSXButton::DropImages() {
  if (icon_ != nullptr) DestroyIcon(icon_);
  if (normalBitmap_ != nullptr) DeleteObject(normalBitmap_);
  if (disabledBitmap_ != nullptr) DeleteObject(disabledBitmap_);
  icon_ = nullptr;
  normalBitmap_ = disabledBitmap_ = nullptr;
}

bool CSXButton::SetIcon(HINSTANCE inst, int id, int width, int height) {
  auto* icon = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, 0));
  if (icon == nullptr) return false;
  DropImages();
  icon_ = icon;
  imageSize_ = {width, height};
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
  return true;
}

bool CSXButton::SetBitmap(HINSTANCE inst, int id, int width, int height) {
  // The pictures' light grey background (their first pixel) becomes the
  // button face in the normal image and white in the disabled one, which is
  // drawn embossed: only white stays out of the embossing.
  auto load = [&](UINT how) {
    return static_cast<HBITMAP>(LoadImageW(inst, MAKEINTRESOURCEW(id), IMAGE_BITMAP, width, height, how));
  };
  HBITMAP normal = load(LR_LOADMAP3DCOLORS);
  HBITMAP disabled = load(LR_LOADTRANSPARENT);
  if (normal == nullptr || disabled == nullptr) {
    if (normal != nullptr) DeleteObject(normal);
    if (disabled != nullptr) DeleteObject(disabled);
    return false;
  }
  DropImages();
  normalBitmap_ = normal;
  disabledBitmap_ = disabled;
  imageSize_ = {width, height};
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, TRUE);
  return true;
}

bool CSXButton::SetDefault(bool on) {
  const bool previous = isDefault_;
  isDefault_ = on;
  if (hwnd_ != nullptr && on) SendMessageW(GetParent(hwnd_), DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(hwnd_)), 0);
  return previous;
}

void CSXButton::SetMarker(COLORREF colour) {
  showMarker_ = true;
  markerColour_ = colour;
}

int CSXButton::SetImageMargin(int pixels) {
  const int previous = imageMargin_;
  imageMargin_ = pixels;
  autoLayout_ = true;
  return previous;
}

int CSXButton::SetTextGap(int pixels) {
  const int previous = textGap_;
  textGap_ = pixels;
  autoLayout_ = true;
  return previous;
}

PixelPoint CSXButton::SetImagePos(int x, int y) {
  const PixelPoint previous = imagePos_;
  imagePos_ = {x, y};
  autoLayout_ = false;
  return previous;
}

PixelPoint CSXButton::SetTextPos(int x, int y) {
  const PixelPoint previous = textPos_;
  textPos_ = {x, y};
  autoLayout_ = false;
  return previous;
}

void CSXButton::MakeBold() {
  auto* current = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
  if (current == nullptr) current = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW lf{};
  if (GetObjectW(current, sizeof lf, &lf) == 0) return;
  // The weight, not a face name with " bold" added: no font is installed
  // under such a name, and the mapper would fall back to a regular face.
  lf.lfWeight = FW_BOLD;
  HFONT bold = CreateFontIndirectW(&lf);
  if (bold == nullptr) return;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(bold), TRUE);
  if (boldFont_ != nullptr) DeleteObject(boldFont_);
  boldFont_ = bold;
}

void CSXButton::DrawContent(HDC dc, bool pressed, bool disabled) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const std::wstring text = WindowText(hwnd_);
  RECT textRect{0, 0, 0, 0};
  if (!text.empty()) DrawTextW(dc, text.c_str(), -1, &textRect, DT_SINGLELINE | DT_CALCRECT);

  ImageButtonGeometry g;
  g.width = client.right - client.left;
  g.height = client.bottom - client.top;
  g.autoLayout = autoLayout_;
  g.imagePos = imagePos_;
  g.textPos = textPos_;
  g.imageMargin = imageMargin_;
  g.textGap = textGap_;
  g.hasImage = icon_ != nullptr || normalBitmap_ != nullptr;
  g.imageWidth = g.hasImage ? imageSize_.cx : 0;
  g.imageHeight = g.hasImage ? imageSize_.cy : 0;
  g.hasText = !text.empty();
  g.textWidth = textRect.right - textRect.left;
  g.textHeight = textRect.bottom - textRect.top;
  g.pressed = pressed;
  const ImageButtonPlaces at = PlaceImageButtonContent(g);

  if (icon_ != nullptr) {
    DrawIconEx(dc, at.image.x, at.image.y, icon_, imageSize_.cx, imageSize_.cy, 0, nullptr, DI_NORMAL);
  } else if (normalBitmap_ != nullptr) {
    HBITMAP bitmap = disabled ? disabledBitmap_ : normalBitmap_;
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, at.image.x, at.image.y, imageSize_.cx,
               imageSize_.cy, DST_BITMAP | (disabled ? DSS_DISABLED : DSS_NORMAL));
  }
  if (!text.empty()) {
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT r{at.text.x, at.text.y, at.text.x + g.textWidth, at.text.y + g.textHeight};
    if (disabled) {
      DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), static_cast<WPARAM>(text.size()), r.left,
                 r.top, g.textWidth, g.textHeight, DST_PREFIXTEXT | DSS_DISABLED);
    } else {
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      DrawTextW(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_NOCLIP);
    }
    SetBkMode(dc, oldMode);
  }
}

void CSXButton::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const int offset = pressed ? 1 : 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  const bool focusOnly = item.itemAction == ODA_FOCUS;

  if (!focusOnly) {
    if (isDefault_) {
      FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&rc, -1, -1);
    }
    DrawFrameControl(dc, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    if (showMarker_) {
      HPEN pen = CreatePen(PS_SOLID, 1, markerColour_);
      HGDIOBJ oldPen = SelectObject(dc, pen);
      const int x = rc.left + 1 + offset;
      const int y = rc.top + 1 + offset;
      for (int i = 0; i < kMarkerLines; ++i) {
        MoveToEx(dc, x, y + i, nullptr);
        LineTo(dc, x + kMarkerFirstLength - i, y + i);
      }
      SelectObject(dc, oldPen);
      DeleteObject(pen);
    }
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    DrawContent(dc, pressed, disabled);
    SelectObject(dc, oldFont);
  }

  const bool hasFocus = (item.itemState & ODS_FOCUS) != 0;
  const bool focusChanged = (item.itemState & ODS_FOCUS) != (lastState_ & ODS_FOCUS);
  if (!disabled && (focusChanged || (!focusOnly && hasFocus))) {
    RECT focus = item.rcItem;
    const int inset = FocusInset(focus.right - focus.left, focus.bottom - focus.top);
    InflateRect(&focus, -inset, -inset);
    DrawFocusRect(dc, &focus);
  }
  lastAction_ = item.itemAction;
  lastState_ = item.itemState;
}

bool DrawIfSxButton(LPARAM drawItem) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(drawItem);
  if (item == nullptr || item->CtlType != ODT_BUTTON) return false;
  auto* button = static_cast<CSXButton*>(GetPropW(item->hwndItem, kSelfProp));
  if (button == nullptr) return false;
  button->DrawItem(*item);
  return true;
}

}  // namespace ui
