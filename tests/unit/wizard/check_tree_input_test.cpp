// The user's operations on a bare tree: which boxes flip, what the tree
// reports to its page, and how the selection moves.
#include "wizard/check_tree_input.h"

#include <gtest/gtest.h>

#include "wizard_fixture.h"

namespace wizard_test {
namespace {

struct BoxCase {
  CheckState before;
  CheckState after;
  std::optional<ChangeValue> reported;
};

TEST(CheckTreeInput, AClickOnTheBoxFlipsItAndReportsWhatItWasExceptOnALockedNode) {
  const BoxCase cases[] = {
      {CheckState::Unticked, CheckState::Ticked, ChangeValue::NowTicked},
      {CheckState::Ticked, CheckState::Unticked, ChangeValue::NowUnticked},
      {CheckState::Partial, CheckState::Unticked, ChangeValue::WasPartial},
      {CheckState::Locked, CheckState::Locked, std::nullopt},
  };
  for (const BoxCase& c : cases) {
    CheckTree tree;
    const NodeId other = tree.Insert("other", "", CheckState::Unticked, kNoNode, true);
    const NodeId id = tree.Insert("node", "K", c.before, kNoNode, true);
    tree.Select(other);
    const auto change = ClickBox(tree, id);
    EXPECT_EQ(tree.State(id), c.after) << static_cast<int>(c.before);
    EXPECT_EQ(tree.selected(), id) << "a click selects the node, locked or not";
    ASSERT_EQ(change.has_value(), c.reported.has_value());
    if (change) {
      EXPECT_EQ(change->value, *c.reported);
      EXPECT_EQ(change->key, "K");
      EXPECT_EQ(change->node, id);
    }
  }
}

TEST(CheckTreeInput, SpaceTicksAnythingButATickedNodeAndLeavesLockedAndBoxlessNodesAlone) {
  const BoxCase cases[] = {
      {CheckState::Unticked, CheckState::Ticked, ChangeValue::NowTicked},
      {CheckState::Ticked, CheckState::Unticked, ChangeValue::NowUnticked},
      {CheckState::Partial, CheckState::Ticked, ChangeValue::NowTicked},
      {CheckState::Locked, CheckState::Locked, std::nullopt},
      {CheckState::None, CheckState::None, std::nullopt},
  };
  for (const BoxCase& c : cases) {
    CheckTree tree;
    const NodeId id = tree.Insert("node", "K", c.before, kNoNode, true);
    tree.Select(id);
    const auto change = PressKey(tree, TreeKey::Space);
    EXPECT_EQ(tree.State(id), c.after) << static_cast<int>(c.before);
    ASSERT_EQ(change.has_value(), c.reported.has_value());
    if (change) {
      EXPECT_EQ(change->value, *c.reported);
    }
  }
  CheckTree empty;
  EXPECT_FALSE(PressKey(empty, TreeKey::Space)) << "nothing selected";
}

TEST(CheckTreeInput, ALabelClickOnlySelects) {
  CheckTree tree;
  const NodeId id = tree.Insert("node", "K", CheckState::Unticked, kNoNode, true);
  ClickLabel(tree, id);
  EXPECT_EQ(tree.selected(), id);
  EXPECT_EQ(tree.State(id), CheckState::Unticked);
}

TEST(CheckTreeInput, ArrowsWalkTheVisibleNodesAndFoldTheSelectedOne) {
  CheckTree tree;
  const NodeId a = tree.Insert("A", "", CheckState::Unticked, kNoNode, true);
  const NodeId a1 = tree.Insert("A1", "", CheckState::Unticked, a, false);
  const NodeId b = tree.Insert("B", "", CheckState::Unticked, kNoNode, true);
  ASSERT_EQ(tree.VisibleNodes(), (std::vector<NodeId>{a, a1, b})) << "inserting shows the new node";

  struct Step {
    TreeKey key;
    NodeId selected;
    std::vector<NodeId> visible;
  };
  tree.Select(a);
  const Step steps[] = {
      {TreeKey::Up, a, {a, a1, b}},          // nothing above the first node
      {TreeKey::Down, a1, {a, a1, b}},       //
      {TreeKey::Left, a1, {a, a1, b}},       // a leaf does not fold
      {TreeKey::Up, a, {a, a1, b}},          //
      {TreeKey::Left, a, {a, b}},            // folding hides the children
      {TreeKey::Down, b, {a, b}},            // and the walk skips them
      {TreeKey::Down, b, {a, b}},            // nothing below the last node
      {TreeKey::Other, b, {a, b}},           // typed characters do nothing
      {TreeKey::Up, a, {a, b}},              //
      {TreeKey::Right, a, {a, a1, b}},       //
  };
  for (const Step& s : steps) {
    EXPECT_FALSE(PressKey(tree, s.key));
    EXPECT_EQ(tree.selected(), s.selected);
    EXPECT_EQ(tree.VisibleNodes(), s.visible);
  }
  EXPECT_EQ(tree.State(a), CheckState::Unticked) << "moving changes no box";
}

}  // namespace
}  // namespace wizard_test
