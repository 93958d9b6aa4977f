// What the user does to a check-box tree, free of mouse and keyboard: both
// front ends map their clicks and keys onto these operations, so the tree
// reacts the same in a terminal and in a window.
#pragma once
#include <optional>
#include <string>

#include "wizard/check_tree.h"

// What the tree reports to its page when the user changed a box.
enum class ChangeValue { NowUnticked = 0, NowTicked = 1, WasPartial = 2 };

struct CheckChange {
  std::string key;  // the node's data string
  ChangeValue value = ChangeValue::NowUnticked;
  NodeId node = kNoNode;
};

enum class TreeKey { Space, Up, Down, Left, Right, Other };

// A click on the node's box: selects the node and flips its box, unless the
// node is Locked or has none. A Partial node is unticked here; the page ticks
// it fully when it handles the change.
std::optional<CheckChange> ClickBox(CheckTree& tree, NodeId id);
// A click on the label only selects the node.
void ClickLabel(CheckTree& tree, NodeId id);
// Space flips the selected node's box (anything but Ticked becomes Ticked);
// the arrows expand, collapse and move the selection among the visible nodes.
// Every other key is swallowed.
std::optional<CheckChange> PressKey(CheckTree& tree, TreeKey key);
