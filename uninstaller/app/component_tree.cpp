#include "app/component_tree.h"

#include <string_view>

#include "platform/text.h"

namespace {

UnstTreeNode* FindNode(UnstTreeNode* node, std::string_view key) {
  for (UnstTreeNode* child = node->firstChild; child; child = child->nextSibling) {
    if (text::IEquals(child->item->key, key)) return child;
    if (UnstTreeNode* found = FindNode(child, key)) return found;
  }
  return nullptr;
}

void AppendChild(UnstTreeNode* parent, UnstTreeNode* node) {
  node->parent = parent;
  UnstTreeNode** link = &parent->firstChild;
  while (*link) link = &(*link)->nextSibling;
  *link = node;
}

}  // namespace

ComponentTree::ComponentTree() { root_ = NewNode(nullptr); }

UnstTreeNode* ComponentTree::NewNode(UnstItem* item) {
  nodes_.push_back(std::make_unique<UnstTreeNode>());
  nodes_.back()->item = item;
  return nodes_.back().get();
}

void ComponentTree::Build(UnstItemArray& items) {
  nodes_.clear();
  root_ = NewNode(nullptr);
  for (UnstItem& item : items) {
    UnstTreeNode* parent = root_;
    if (!item.parentKey.empty()) {
      // A parent that is not (yet) in the tree leaves the item at the top,
      // where it stays visible and removable.
      if (UnstTreeNode* found = FindNode(root_, item.parentKey)) parent = found;
    }
    AppendChild(parent, NewNode(&item));
  }
}
