#include "wizard/check_tree.h"

#include <utility>

NodeId CheckTree::Insert(std::string text, std::string data, CheckState state, NodeId parent, bool bold) {
  const NodeId id = size();
  CheckNode n;
  n.text = std::move(text);
  n.data = std::move(data);
  n.state = state;
  n.bold = bold;
  n.parent = Contains(parent) ? parent : kNoNode;
  nodes_.push_back(std::move(n));
  if (node(id).parent == kNoNode) {
    topLevel_.push_back(id);
  } else {
    node(node(id).parent).children.push_back(id);
  }
  for (NodeId up = node(id).parent; up != kNoNode; up = node(up).parent) node(up).expanded = true;
  return id;
}

void CheckTree::Clear() {
  nodes_.clear();
  topLevel_.clear();
  selected_ = kNoNode;
}

std::vector<NodeId> CheckTree::VisibleNodes() const {
  std::vector<NodeId> out;
  for (NodeId id : topLevel_) AppendVisible(id, out);
  return out;
}

void CheckTree::AppendVisible(NodeId id, std::vector<NodeId>& out) const {
  out.push_back(id);
  if (!node(id).expanded) return;
  for (NodeId child : node(id).children) AppendVisible(child, out);
}

void CheckTree::ExpandAll() {
  for (CheckNode& n : nodes_) n.expanded = !n.children.empty();
}
