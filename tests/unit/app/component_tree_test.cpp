#include "app/component_tree.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The tree drawn as "key(children...)" in child order.
std::string Draw(const UnstTreeNode* node) {
  std::string s = node->item ? node->item->key : "root";
  if (!node->firstChild) return s;
  s += "(";
  for (const UnstTreeNode* c = node->firstChild; c; c = c->nextSibling) {
    EXPECT_EQ(c->parent, node);
    s += Draw(c) + (c->nextSibling ? " " : "");
  }
  return s + ")";
}

TEST(ComponentTree, PlacesEachItemUnderItsParentInArrayOrderAndOrphansAtTheTop) {
  UnstItemArray items;
  items.Add("A", "", "", "", 1);
  items.Add("A1", "a", "", "", 1);  // parent key matched without case
  items.Add("B", "", "", "", 1);
  items.Add("A2", "A", "", "", 1);
  items.Add("A1x", "A1", "", "", 1);
  items.Add("Lost", "Nowhere", "", "", 1);

  ComponentTree tree;
  tree.Build(items);
  EXPECT_EQ(Draw(tree.root()), "root(A(A1(A1x) A2) B Lost)");
  EXPECT_EQ(tree.root()->firstChild->firstChild->item, &items[1]);

  // Building again starts from an empty root.
  tree.Build(items);
  EXPECT_EQ(Draw(tree.root()), "root(A(A1(A1x) A2) B Lost)");
}

}  // namespace
