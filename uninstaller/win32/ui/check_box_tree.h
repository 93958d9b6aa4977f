// The selection page's tree control: check-box images from the program's
// strip, and the user's clicks and keys turned into operations on the
// check-box model. A change is posted to the page as WM_CHECK_CHANGED with a
// CheckChange the page deletes; the page settles the rules and calls Refresh.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include "tree_view.h"
#include "wizard/check_tree.h"
#include "wizard/check_tree_input.h"

namespace ui {

inline constexpr UINT WM_CHECK_CHANGED = WM_USER + 30;

class CCheckBoxTree {
 public:
  CCheckBoxTree() = default;
  CCheckBoxTree(const CCheckBoxTree&) = delete;
  CCheckBoxTree& operator=(const CCheckBoxTree&) = delete;
  ~CCheckBoxTree();

  // Takes over the tree control; its state images become the strip of
  // bitmap `stripId`, with light grey transparent. False when the strip
  // cannot be loaded: the control keeps its own boxes.
  [[nodiscard]] bool Init(HWND tree, HWND notifyWindow, CheckTree& model, HINSTANCE inst, int stripId);
  void Rebuild() { mirror_.Rebuild(*model_); }
  void Refresh() { mirror_.Refresh(*model_); }
  HWND hwnd() const { return mirror_.hwnd(); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void OnButtonDown(LPARAM lp);
  void OnKey(WPARAM key);
  void Post(const std::optional<CheckChange>& change);

  TreeViewMirror mirror_;
  CheckTree* model_ = nullptr;
  HWND notify_ = nullptr;
  HIMAGELIST images_ = nullptr;
  WNDPROC base_ = nullptr;
};

}  // namespace ui
