// The nodes of a check-box tree and what a front end shows of them: text,
// state image, bold, expanded, the selected node. The terminal and the
// Windows tree both render this and forward the user's input to it; the
// rules that tie states together live in the selection model.
#pragma once
#include <string>
#include <vector>

// The values are the positions of the images in the check-box image strip;
// None is the plain tree's node, which has no box.
enum class CheckState { None = 0, Unticked = 1, Ticked = 2, Locked = 3, Partial = 4 };

using NodeId = int;
inline constexpr NodeId kNoNode = -1;

struct CheckNode {
  std::string text;
  std::string data;  // the component key, "Printer", "Driver", or empty
  CheckState state = CheckState::None;
  bool bold = false;
  bool expanded = false;
  NodeId parent = kNoNode;
  std::vector<NodeId> children;
};

class CheckTree {
 public:
  // Appends a node after the last child of `parent` (the top level when
  // kNoNode) and makes it visible by expanding its ancestors, as a control
  // does when it scrolls a new node into view.
  NodeId Insert(std::string text, std::string data, CheckState state, NodeId parent, bool bold);
  void Clear();

  bool Contains(NodeId id) const { return id >= 0 && id < size(); }
  int size() const { return static_cast<int>(nodes_.size()); }
  const CheckNode& node(NodeId id) const { return nodes_[static_cast<std::size_t>(id)]; }
  CheckNode& node(NodeId id) { return nodes_[static_cast<std::size_t>(id)]; }
  CheckState State(NodeId id) const { return node(id).state; }
  void SetState(NodeId id, CheckState state) { node(id).state = state; }
  const std::vector<NodeId>& TopLevel() const { return topLevel_; }
  bool HasChildren(NodeId id) const { return !node(id).children.empty(); }

  // The nodes a user can see, top to bottom: every top-level node and the
  // children of expanded nodes.
  std::vector<NodeId> VisibleNodes() const;
  void ExpandAll();

  NodeId selected() const { return selected_; }
  void Select(NodeId id) { selected_ = Contains(id) ? id : kNoNode; }

 private:
  void AppendVisible(NodeId id, std::vector<NodeId>& out) const;

  std::vector<CheckNode> nodes_;
  std::vector<NodeId> topLevel_;
  NodeId selected_ = kNoNode;
};
