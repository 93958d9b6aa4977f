#include "wizard/check_tree_input.h"

#include <algorithm>
#include <vector>

namespace {

bool CanChange(const CheckTree& tree, NodeId id) {
  if (!tree.Contains(id)) return false;
  const CheckState s = tree.State(id);
  return s != CheckState::None && s != CheckState::Locked;
}

std::optional<CheckChange> Report(const CheckTree& tree, NodeId id, ChangeValue value) {
  return CheckChange{tree.node(id).data, value, id};
}

std::optional<CheckChange> PressSpace(CheckTree& tree) {
  const NodeId id = tree.selected();
  if (!CanChange(tree, id)) return std::nullopt;
  if (tree.State(id) == CheckState::Ticked) {
    tree.SetState(id, CheckState::Unticked);
    return Report(tree, id, ChangeValue::NowUnticked);
  }
  tree.SetState(id, CheckState::Ticked);
  return Report(tree, id, ChangeValue::NowTicked);
}

void MoveSelection(CheckTree& tree, int step) {
  const std::vector<NodeId> visible = tree.VisibleNodes();
  if (visible.empty()) return;
  const auto at = std::find(visible.begin(), visible.end(), tree.selected());
  if (at == visible.end()) {
    tree.Select(visible.front());
    return;
  }
  const auto index = (at - visible.begin()) + step;
  if (index >= 0 && index < static_cast<long>(visible.size())) tree.Select(visible[static_cast<std::size_t>(index)]);
}

void SetExpanded(CheckTree& tree, bool expanded) {
  const NodeId id = tree.selected();
  if (tree.Contains(id) && tree.HasChildren(id)) tree.node(id).expanded = expanded;
}

}  // namespace

std::optional<CheckChange> ClickBox(CheckTree& tree, NodeId id) {
  if (!tree.Contains(id)) return std::nullopt;
  tree.Select(id);
  if (!CanChange(tree, id)) return std::nullopt;
  const CheckState before = tree.State(id);
  const bool nowTicked = before == CheckState::Unticked;
  tree.SetState(id, nowTicked ? CheckState::Ticked : CheckState::Unticked);
  if (before == CheckState::Partial) return Report(tree, id, ChangeValue::WasPartial);
  return Report(tree, id, nowTicked ? ChangeValue::NowTicked : ChangeValue::NowUnticked);
}

void ClickLabel(CheckTree& tree, NodeId id) {
  if (tree.Contains(id)) tree.Select(id);
}

std::optional<CheckChange> PressKey(CheckTree& tree, TreeKey key) {
  switch (key) {
    case TreeKey::Space:
      return PressSpace(tree);
    case TreeKey::Up:
      MoveSelection(tree, -1);
      break;
    case TreeKey::Down:
      MoveSelection(tree, +1);
      break;
    case TreeKey::Left:
      SetExpanded(tree, false);
      break;
    case TreeKey::Right:
      SetExpanded(tree, true);
      break;
    case TreeKey::Other:
      break;
  }
  return std::nullopt;
}
