#include "tree_view.h"

#include <string>

#include "wide.h"

namespace ui {

namespace {

UINT StateBits(const CheckNode& n) {
  return INDEXTOSTATEIMAGEMASK(static_cast<UINT>(n.state)) | (n.bold ? TVIS_BOLD : 0u);
}

}  // namespace

NodeId TreeViewMirror::NodeOf(HTREEITEM item) const {
  if (item == nullptr) return kNoNode;
  TVITEMW tv{};
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = item;
  if (!SendMessageW(hwnd_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return kNoNode;
  return static_cast<NodeId>(tv.lParam);
}

HTREEITEM TreeViewMirror::ItemOf(NodeId id) const {
  if (id < 0 || id >= static_cast<NodeId>(items_.size())) return nullptr;
  return items_[static_cast<std::size_t>(id)];
}

void TreeViewMirror::Rebuild(const CheckTree& model) {
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  items_.assign(static_cast<std::size_t>(model.size()), nullptr);
  // Parents are always inserted before their children.
  for (NodeId id = 0; id < model.size(); ++id) {
    const CheckNode& n = model.node(id);
    std::wstring text = Wide(n.text);
    TVINSERTSTRUCTW ins{};
    ins.hParent = n.parent == kNoNode ? TVI_ROOT : ItemOf(n.parent);
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    ins.item.pszText = text.data();
    ins.item.lParam = id;
    ins.item.state = StateBits(n);
    ins.item.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
    items_[static_cast<std::size_t>(id)] =
        reinterpret_cast<HTREEITEM>(SendMessageW(hwnd_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
  }
  Refresh(model);
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TreeViewMirror::Refresh(const CheckTree& model) {
  for (NodeId id = 0; id < model.size() && id < static_cast<NodeId>(items_.size()); ++id) {
    const CheckNode& n = model.node(id);
    HTREEITEM item = ItemOf(id);
    if (item == nullptr) continue;
    std::wstring text = Wide(n.text);
    TVITEMW tv{};
    tv.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE;
    tv.hItem = item;
    tv.pszText = text.data();
    tv.state = StateBits(n);
    tv.stateMask = TVIS_STATEIMAGEMASK | TVIS_BOLD;
    SendMessageW(hwnd_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    if (!n.children.empty()) {
      const auto now = static_cast<UINT>(SendMessageW(hwnd_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item),
                                                       TVIS_EXPANDED));
      const bool expanded = (now & TVIS_EXPANDED) != 0;
      if (expanded != n.expanded)
        SendMessageW(hwnd_, TVM_EXPAND, n.expanded ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(item));
    }
  }
  HTREEITEM selected = ItemOf(model.selected());
  if (selected != nullptr) {
    SendMessageW(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected));
    SendMessageW(hwnd_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(selected));
  }
}

}  // namespace ui
