#include "check_box_tree.h"

namespace ui {

namespace {

constexpr wchar_t kSelfProp[] = L"dp.checkboxtree";
constexpr int kImageSize = 16;
constexpr COLORREF kTransparent = RGB(192, 192, 192);

}  // namespace

CCheckBoxTree::~CCheckBoxTree() {
  HWND tree = mirror_.hwnd();
  if (tree != nullptr && IsWindow(tree) && base_ != nullptr) {
    RemovePropW(tree, kSelfProp);
    SetWindowLongPtrW(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base_));
    SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_STATE, 0);
  }
  if (images_ != nullptr) ImageList_Destroy(images_);
}

bool CCheckBoxTree::Init(HWND tree, HWND notifyWindow, CheckTree& model, HINSTANCE inst, int stripId) {
  mirror_.Attach(tree);
  model_ = &model;
  notify_ = notifyWindow;
  // The input goes through the model even when the pictures are missing.
  SetPropW(tree, kSelfProp, this);
  base_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  images_ = ImageList_LoadImageW(inst, MAKEINTRESOURCEW(stripId), kImageSize, 0, kTransparent, IMAGE_BITMAP, 0);
  if (images_ == nullptr) return false;
  // The boxes the control made for itself are replaced, and are ours to free.
  auto* own = reinterpret_cast<HIMAGELIST>(
      SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(images_)));
  if (own != nullptr && own != images_) ImageList_Destroy(own);
  return true;
}

void CCheckBoxTree::Post(const std::optional<CheckChange>& change) {
  Refresh();
  if (change) PostMessageW(notify_, WM_CHECK_CHANGED, WM_CHECK_CHANGED, reinterpret_cast<LPARAM>(new CheckChange(*change)));
}

void CCheckBoxTree::OnButtonDown(LPARAM lp) {
  HWND tree = mirror_.hwnd();
  SetFocus(tree);
  TVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  const NodeId node = mirror_.NodeOf(hit.hItem);
  if (node == kNoNode) return;
  if (hit.flags & TVHT_ONITEMSTATEICON) {
    Post(ClickBox(*model_, node));
  } else if (hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON)) {
    ClickLabel(*model_, node);
    Refresh();
  }
}

void CCheckBoxTree::OnKey(WPARAM key) {
  TreeKey k = TreeKey::Other;
  switch (key) {
    case VK_SPACE: k = TreeKey::Space; break;
    case VK_UP: k = TreeKey::Up; break;
    case VK_DOWN: k = TreeKey::Down; break;
    case VK_LEFT: k = TreeKey::Left; break;
    case VK_RIGHT: k = TreeKey::Right; break;
    default: return;
  }
  Post(PressKey(*model_, k));
}

LRESULT CALLBACK CCheckBoxTree::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = static_cast<CCheckBoxTree*>(GetPropW(hwnd, kSelfProp));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wp, lp);
  switch (msg) {
    // Every press, the second of a double click too, is handled here and
    // never by the control, which would flip boxes behind the model's back.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      self->OnButtonDown(lp);
      return 0;
    case WM_LBUTTONUP:
      return 0;
    case WM_KEYDOWN:
      self->OnKey(wp);
      return 0;
    case WM_CHAR:
      return 0;
    case WM_NCDESTROY: {
      const WNDPROC base = self->base_;
      RemovePropW(hwnd, kSelfProp);
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
      self->base_ = nullptr;
      return CallWindowProcW(base, hwnd, msg, wp, lp);
    }
    default:
      break;
  }
  return CallWindowProcW(self->base_, hwnd, msg, wp, lp);
}

}  // namespace ui
