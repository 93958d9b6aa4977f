#include "unst_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include "resource_ids.h"
#include "ui_ids.h"
#include "wide.h"
#include "wizard/wizard_buttons.h"

namespace ui {

namespace {

constexpr wchar_t kSelfProp[] = L"dp.unstsheet";
// Posted to itself once the sheet has placed its standard buttons, which
// its own buttons take the place of.
constexpr UINT kCreateButtons = WM_APP + 1;
// The sheet's standard buttons.
constexpr int kStdBack = 0x3023;
constexpr int kStdNext = 0x3024;
constexpr int kStdFinish = 0x3025;
constexpr int kOwnFirstId = 0x3100;
constexpr int kImageSize = 16;

}  // namespace

int ModalResult(WizardResult r) {
  switch (r) {
    case WizardResult::Finish: return kWizardFinishCommand;
    case WizardResult::Back: return kWizardBackResult;
    case WizardResult::Exit: break;
  }
  return IDCANCEL;
}

CUnstSheet::~CUnstSheet() {
  if (largeIcon_ != nullptr) DestroyIcon(largeIcon_);
  if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
}

void CUnstSheet::Attach(HWND sheet) {
  hwnd_ = sheet;
  SetPropW(sheet, kSelfProp, this);
  base_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  largeIcon_ = static_cast<HICON>(LoadImageW(inst_, MAKEINTRESOURCEW(IDI_DRVPURGE), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  smallIcon_ = static_cast<HICON>(LoadImageW(inst_, MAKEINTRESOURCEW(IDI_DRVPURGE), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageW(sheet, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_));
  SendMessageW(sheet, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  PostMessageW(sheet, kCreateButtons, 0, 0);
}

void CUnstSheet::CreateButtons() {
  if (buttonsExist_) return;
  for (int id : {kStdBack, kStdNext, kStdFinish, IDCANCEL}) {
    HWND standard = GetDlgItem(hwnd_, id);
    if (standard == nullptr) continue;
    ShowWindow(standard, SW_HIDE);
    SetWindowTextW(standard, L"Zzz");
    // The sheet presses its standard buttons only while they are enabled;
    // ours decide what the user may press.
    EnableWindow(standard, TRUE);
  }
  HWND standardBack = GetDlgItem(hwnd_, kStdBack);
  RECT client{};
  GetClientRect(hwnd_, &client);
  RECT sheetRect{};
  RECT backRect{};
  GetWindowRect(hwnd_, &sheetRect);
  GetWindowRect(standardBack, &backRect);
  const WizardButtonRects at = LayoutWizardButtons(client.right - client.left, backRect.top - sheetRect.top);
  auto* font = reinterpret_cast<HFONT>(SendMessageW(standardBack, WM_GETFONT, 0, 0));

  const PixelRect places[kSlots] = {at.back, at.nextOrFinish, at.nextOrFinish, at.exit};
  const int bitmaps[kSlots] = {IDB_BACK, IDB_NEXT, IDB_OK, IDB_EXIT};
  for (int slot = 0; slot < kSlots; ++slot) {
    const PixelRect& r = places[slot];
    HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, hwnd_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOwnFirstId + slot)), inst_, nullptr);
    if (button == nullptr) continue;
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    CSXButton& b = buttons_[static_cast<std::size_t>(slot)];
    b.Attach(button);
    b.MakeBold();
    // Without its picture the button still works and shows its caption.
    (void)b.SetBitmap(inst_, bitmaps[slot], kImageSize, kImageSize);
  }
  buttonsExist_ = true;
  ApplyFlags();
}

void CUnstSheet::SetWizardButtons(int flags) {
  flags_ = flags;
  if (buttonsExist_) ApplyFlags();
}

void CUnstSheet::ApplyFlags() {
  const WizardButtonViews views = ViewWizardButtons(flags_);
  const WizardButtonView* byslot[kSlots] = {&views.back, &views.next, &views.finish, &views.exit};
  for (int slot = 0; slot < kSlots; ++slot) {
    HWND b = buttons_[static_cast<std::size_t>(slot)].hwnd();
    if (b == nullptr) continue;
    const WizardButtonView& v = *byslot[slot];
    SetWindowTextW(b, Wide(v.text).c_str());
    EnableWindow(b, v.enabled);
    ShowWindow(b, v.shown ? SW_SHOW : SW_HIDE);
  }
}

void CUnstSheet::OnOwnButton(int slot) {
  static constexpr int kPress[kSlots] = {PSBTN_BACK, PSBTN_NEXT, PSBTN_FINISH, PSBTN_CANCEL};
  // A hidden or disabled button is never pressed, not even through Enter.
  HWND b = buttons_[static_cast<std::size_t>(slot)].hwnd();
  if (b == nullptr || !IsWindowVisible(b) || !IsWindowEnabled(b)) return;
  SendMessageW(hwnd_, PSM_PRESSBUTTON, static_cast<WPARAM>(kPress[slot]), 0);
}

LRESULT CALLBACK CUnstSheet::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = static_cast<CUnstSheet*>(GetPropW(hwnd, kSelfProp));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  const WNDPROC base = self->base_;
  switch (msg) {
    case kCreateButtons:
      self->CreateButtons();
      return 0;
    case PSM_SETWIZBUTTONS:
      // The standard buttons stay hidden; the flags go to our own.
      self->SetWizardButtons(static_cast<int>(lp));
      return 0;
    case WM_DRAWITEM:
      if (DrawIfSxButton(lp)) return TRUE;
      break;
    case WM_COMMAND: {
      const int id = LOWORD(wp);
      if (id >= kOwnFirstId && id < kOwnFirstId + kSlots) {
        self->OnOwnButton(id - kOwnFirstId);
        return 0;
      }
      break;
    }
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

}  // namespace ui
