// The confirmation page's tree: what was chosen, with the parents that lead
// to it, and nothing else.
#include "wizard/confirm_tree.h"

#include <gtest/gtest.h>

#include "wizard_fixture.h"

namespace wizard_test {
namespace {

TEST(ConfirmationTree, ShowsChosenComponentsUnderTheirParentsThenChosenPrintersAndDrivers) {
  World w({{"Suite", ""}, {"Tool", "Suite"}, {"Deep", "Tool", {}, 0, true}, {"Other", "Suite"}, {"Idle", ""},
           {"Solo", "", {}, 0, true}},
          {{"P1", false}, {"P2", true}}, {{"D1", true, /*notTried=*/false}, {"D2", true}});
  ComponentTree components;
  components.Build(w.items);

  CheckTree shown;
  shown.Insert("stale", "", CheckState::None, kNoNode, false);
  BuildConfirmationTree(shown, components.root(), w.printers, w.drivers);
  EXPECT_EQ(Draw(shown),
            "Suite(Tool(Deep)) Solo Printer Objects(P2) Drivers not associated with a printer object(D2)");
  EXPECT_EQ(shown.VisibleNodes().size(), static_cast<std::size_t>(shown.size())) << "all expanded";
  EXPECT_EQ(shown.selected(), shown.TopLevel().front());
  EXPECT_EQ(shown.node(shown.TopLevel().front()).bold, false);
}

TEST(ConfirmationTree, LeavesOutGroupsWithNothingChosen) {
  World w({{"A", ""}}, {{"P1", false}}, {{"D1", true, /*notTried=*/false}});
  ComponentTree components;
  components.Build(w.items);
  CheckTree shown;
  BuildConfirmationTree(shown, components.root(), w.printers, w.drivers);
  EXPECT_EQ(Draw(shown), "");
  EXPECT_EQ(shown.selected(), kNoNode);
}

}  // namespace
}  // namespace wizard_test
