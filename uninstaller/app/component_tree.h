// The component list as a tree: each component under the one named by its
// parentKey, so that removal can take children before their parent.
#pragma once
#include <memory>
#include <vector>

#include "items/unst_item.h"

struct UnstTreeNode {
  UnstItem* item = nullptr;  // none for the root
  UnstTreeNode* firstChild = nullptr;
  UnstTreeNode* nextSibling = nullptr;
  UnstTreeNode* parent = nullptr;
};

class ComponentTree {
 public:
  ComponentTree();
  ComponentTree(const ComponentTree&) = delete;
  ComponentTree& operator=(const ComponentTree&) = delete;

  // Rebuilds the tree from `items` in array order. The nodes point into
  // `items`, which must not grow while the tree is in use.
  void Build(UnstItemArray& items);

  UnstTreeNode* root() { return root_; }
  const UnstTreeNode* root() const { return root_; }

 private:
  UnstTreeNode* NewNode(UnstItem* item);
  std::vector<std::unique_ptr<UnstTreeNode>> nodes_;
  UnstTreeNode* root_ = nullptr;
};
