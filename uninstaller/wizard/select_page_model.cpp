#include "wizard/select_page_model.h"

#include <algorithm>
#include <utility>

#include "platform/text.h"

namespace {

// A node's handle in the item; 0 stays "no node".
plat::Handle HandleOf(NodeId id) { return static_cast<plat::Handle>(id) + 1; }

bool Lists(const UnstItem& item, std::string_view key) {
  return std::any_of(item.requiredKeys.begin(), item.requiredKeys.end(),
                     [&](const std::string& k) { return text::IEquals(k, key); });
}

std::string LockedText(const std::string& name, const std::string& requirer) {
  return name + " -- Required by " + requirer;
}

}  // namespace

SelectPageModel::SelectPageModel(UnstItemArray& items, ChoiceList printers, ChoiceList drivers)
    : items_(items), printers_(std::move(printers)), drivers_(std::move(drivers)) {}

NodeId SelectPageModel::NodeOfItem(int itemIndex) const {
  const plat::Handle h = items_[itemIndex].treeItem;
  if (h == plat::kNoHandle) return kNoNode;
  const auto id = static_cast<NodeId>(h - 1);
  return tree_.Contains(id) ? id : kNoNode;
}

NodeId SelectPageModel::Add(std::string text, std::string data, bool ticked, NodeId parent, Origin origin) {
  const bool bold = parent == kNoNode;
  const NodeId id =
      tree_.Insert(std::move(text), std::move(data), ticked ? CheckState::Ticked : CheckState::Unticked, parent, bold);
  origins_.push_back(origin);
  return id;
}

void SelectPageModel::Fill() {
  tree_.Clear();
  origins_.clear();
  FillComponents();
  UpdateLocks();
  FillChoices(printers_, kPrinterGroupText, kPrinterGroupData, Source::PrinterGroup, Source::Printer);
  FillChoices(drivers_, kDriverGroupText, kDriverGroupData, Source::DriverGroup, Source::Driver);
  RecomputeAll();
}

void SelectPageModel::FillComponents() {
  // A node from an earlier tree is gone; a parent that has no node yet (it
  // comes later in the list, or is the item itself) leaves the item at the
  // top, where it stays visible and removable.
  for (UnstItem& item : items_) item.treeItem = plat::kNoHandle;
  for (int i = 0; i < items_.size(); ++i) {
    UnstItem& item = items_[i];
    NodeId parent = kNoNode;
    if (!item.parentKey.empty()) {
      const int p = items_.Find(item.parentKey);
      if (p >= 0) parent = NodeOfItem(p);
    }
    const NodeId id = Add(item.displayName, item.key, item.selected, parent, {Source::Component, i});
    item.treeItem = HandleOf(id);
  }
}

void SelectPageModel::FillChoices(const ChoiceList& list, const char* groupText, const char* groupData, Source group,
                                  Source entry) {
  if (!list.present) return;
  const NodeId groupNode = Add(groupText, groupData, false, kNoNode, {group, -1});
  for (int i = 0; i < static_cast<int>(list.entries.size()); ++i) {
    const Choice& c = list.entries[static_cast<std::size_t>(i)];
    Add(c.name, "", *c.selected && c.notTried, groupNode, {entry, i});
  }
}

void SelectPageModel::Activate() {
  if (!tree_.TopLevel().empty()) tree_.Select(tree_.TopLevel().front());
}

void SelectPageModel::SetNodeState(NodeId id, std::optional<CheckState> newState, bool pushDown) {
  if (tree_.State(id) == CheckState::Locked) return;
  const CheckNode& n = tree_.node(id);
  bool allTicked = true;
  bool someTicked = false;
  bool allLocked = true;
  for (NodeId child : n.children) {
    if (pushDown) SetNodeState(child, newState, true);
    switch (tree_.State(child)) {
      case CheckState::Ticked:
        someTicked = true;
        allLocked = false;
        break;
      case CheckState::Partial:
        someTicked = true;
        allTicked = false;
        allLocked = false;
        break;
      case CheckState::Locked:
        break;
      default:
        allTicked = false;
        allLocked = false;
        break;
    }
  }
  if (newState) {
    tree_.SetState(id, *newState);
    return;
  }
  // Children that are all Locked can neither be chosen nor unchosen, so they
  // say nothing about their parent: it keeps the state its own box was
  // given, like a node without children. Counting them as ticked would tick
  // a component nobody chose.
  if (n.children.empty() || allLocked) return;
  if (allTicked) {
    const Origin& o = origins_[static_cast<std::size_t>(id)];
    const bool follows = o.source != Source::Component || items_[o.index].followsChildren;
    if (follows) {
      tree_.SetState(id, CheckState::Ticked);
    } else if (tree_.State(id) != CheckState::Ticked) {
      tree_.SetState(id, CheckState::Partial);
    }
    return;
  }
  tree_.SetState(id, someTicked ? CheckState::Partial : CheckState::Unticked);
}

void SelectPageModel::RecomputeAll() {
  for (NodeId id : tree_.TopLevel()) SetNodeState(id, std::nullopt, true);
}

const UnstItem* SelectPageModel::RequiredByStaying(const UnstItem& item) const {
  for (int i = 0; i < items_.size(); ++i) {
    const NodeId id = NodeOfItem(i);
    if (id == kNoNode || !Lists(items_[i], item.key)) continue;
    const CheckState s = tree_.State(id);
    if (s == CheckState::Unticked || s == CheckState::Locked) return &items_[i];
  }
  return nullptr;
}

void SelectPageModel::UpdateLocks() {
  // A lock makes its node stay, which may lock what that node needs in turn,
  // also for items earlier in the list: passes repeat until nothing changes.
  // Each pass that changes something fixes at least one more link of a
  // chain, so as many passes as items end even a loop in the data.
  for (int pass = 0; pass <= items_.size(); ++pass) {
    if (!UpdateLocksOnce()) return;
  }
}

bool SelectPageModel::UpdateLocksOnce() {
  bool changed = false;
  for (int i = 0; i < items_.size(); ++i) {
    const NodeId id = NodeOfItem(i);
    if (id == kNoNode) continue;
    const UnstItem& item = items_[i];
    const UnstItem* requirer = RequiredByStaying(item);
    CheckNode& n = tree_.node(id);
    const CheckState before = n.state;
    if (requirer && item.dependencyStrength == 1) {
      n.state = CheckState::Locked;
      n.text = LockedText(item.displayName, requirer->displayName);
    } else if (n.state == CheckState::Locked) {
      // A node set free follows its parent; at the top it has none and
      // becomes Unticked, so that the user can choose it again.
      const bool parentTicked = n.parent != kNoNode && tree_.State(n.parent) == CheckState::Ticked;
      n.state = parentTicked ? CheckState::Ticked : CheckState::Unticked;
      n.text = item.displayName;
    }
    changed = changed || n.state != before;
  }
  return changed;
}

void SelectPageModel::CheckDependents(std::string_view key) {
  for (int i = 0; i < items_.size(); ++i) {
    const NodeId id = NodeOfItem(i);
    if (id != kNoNode && Lists(items_[i], key)) SetNodeState(id, CheckState::Ticked, true);
  }
}

NodeId SelectPageModel::RequirementNode(std::string_view key) const {
  if (text::IEquals(key, kPrinterGroupData)) {
    for (NodeId id : tree_.VisibleNodes()) {
      if (text::IEquals(tree_.node(id).data, kPrinterGroupData)) return id;
    }
    return kNoNode;
  }
  const int i = items_.Find(key);
  return i < 0 ? kNoNode : NodeOfItem(i);
}

bool SelectPageModel::RequirementTicked(std::string_view key) const {
  if (key.empty()) return false;
  const int i = items_.Find(key);
  if (i < 0) return false;
  for (const std::string& required : items_[i].requiredKeys) {
    const NodeId id = RequirementNode(required);
    if (id != kNoNode && tree_.State(id) == CheckState::Ticked) return true;
  }
  return false;
}

void SelectPageModel::HandleCheckChange(const CheckChange& change) {
  const NodeId id = change.node;
  if (!tree_.Contains(id)) return;
  const std::string key = tree_.node(id).data;
  if (RequirementTicked(key) && tree_.State(id) != CheckState::Locked) tree_.SetState(id, CheckState::Ticked);
  if (change.value == ChangeValue::WasPartial) tree_.SetState(id, CheckState::Ticked);
  UpdateLocks();
  if (tree_.State(id) == CheckState::Ticked) {
    CheckDependents(key);
    for (NodeId up = tree_.node(id).parent; up != kNoNode; up = tree_.node(up).parent) {
      SetNodeState(up, std::nullopt, false);
      if (tree_.State(up) != CheckState::Ticked) break;
      CheckDependents(tree_.node(up).data);
    }
  }
  if (tree_.HasChildren(id)) SetNodeState(id, tree_.State(id), true);
  RecomputeAll();
  UpdateLocks();
}

void SelectPageModel::ClickBox(NodeId id) {
  if (const auto change = ::ClickBox(tree_, id)) HandleCheckChange(*change);
}

void SelectPageModel::PressKey(TreeKey key) {
  if (const auto change = ::PressKey(tree_, key)) HandleCheckChange(*change);
}

bool SelectPageModel::AnythingChosen() const {
  return std::any_of(tree_.TopLevel().begin(), tree_.TopLevel().end(), [&](NodeId id) {
    const CheckState s = tree_.State(id);
    return s == CheckState::Ticked || s == CheckState::Partial;
  });
}

void SelectPageModel::WriteBack() {
  for (NodeId id : tree_.TopLevel()) WriteBackNode(id);
}

void SelectPageModel::WriteBackNode(NodeId id) {
  // Each node writes to what it was made from, not to whatever bears its
  // text: one driver installed for two environments shows two nodes of one
  // name, and each must keep its own choice.
  const CheckNode& n = tree_.node(id);
  const bool ticked = n.state == CheckState::Ticked;
  const Origin& o = origins_[static_cast<std::size_t>(id)];
  const auto at = static_cast<std::size_t>(o.index);
  switch (o.source) {
    case Source::Component:
      items_[o.index].selected = ticked;
      break;
    case Source::Printer:
      *printers_.entries[at].selected = ticked;
      break;
    case Source::Driver:
      *drivers_.entries[at].selected = ticked;
      break;
    case Source::PrinterGroup:
    case Source::DriverGroup:
      break;
  }
  for (NodeId child : n.children) WriteBackNode(child);
}
