// A Windows tree control that shows a CheckTree: its nodes, texts, state
// images, bold top-level nodes, expansion and selection. The model is the
// truth; the control is brought in line with it after every change.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "wizard/check_tree.h"

namespace ui {

class TreeViewMirror {
 public:
  void Attach(HWND tree) { hwnd_ = tree; }
  HWND hwnd() const { return hwnd_; }

  // Deletes every item and inserts the model's nodes, with redrawing off
  // while they go in.
  void Rebuild(const CheckTree& model);
  // Texts, states, expansion and selection as the model has them now.
  void Refresh(const CheckTree& model);

  NodeId NodeOf(HTREEITEM item) const;
  HTREEITEM ItemOf(NodeId id) const;

 private:
  HWND hwnd_ = nullptr;
  std::vector<HTREEITEM> items_;  // by node
};

}  // namespace ui
