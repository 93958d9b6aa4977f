// Filling the selection tree: where each component, printer and driver goes,
// and which boxes start ticked.
#include <gtest/gtest.h>

#include "wizard_fixture.h"

namespace wizard_test {
namespace {

TEST(SelectPageFill, ShowsComponentsThenPrintersThenDriversWithGroupsDerivedFromTheirEntries) {
  World w({{"A", ""}, {"A1", "a", {}, 0, true}, {"A2", "A"}, {"B", "", {}, 0, true}},
          {{"P1", true}, {"P2", false}},
          {{"D1", true}, {"D2", true, /*notTried=*/false}, {"D3", false}});
  EXPECT_EQ(w.Drawn(),
            "A[~](A1[x] A2[ ]) B[x] Printer Objects[~](P1[x] P2[ ]) "
            "Drivers not associated with a printer object[~](D1[x] D2[ ] D3[ ])");

  const CheckTree& tree = w.model->tree();
  for (NodeId id = 0; id < tree.size(); ++id) {
    EXPECT_EQ(tree.node(id).bold, tree.node(id).parent == kNoNode) << tree.node(id).text;
  }
  EXPECT_EQ(tree.node(w.Node("Printer Objects")).data, "Printer");
  EXPECT_EQ(tree.node(w.Node("Drivers not associated with a printer object")).data, "Driver");
  EXPECT_EQ(tree.node(w.Node("A1")).data, "A1");
  EXPECT_EQ(tree.node(w.Node("P1")).data, "");
}

TEST(SelectPageFill, PlacesAComponentAtTheTopWhenItsParentHasNoNodeYet) {
  World w({{"Early", "Late"}, {"Late", ""}, {"Self", "Self"}, {"Lost", "Nowhere"}, {"Kid", "Late"}});
  EXPECT_EQ(w.Drawn(), "Early[ ] Late[ ](Kid[ ]) Self[ ] Lost[ ]");
}

TEST(SelectPageFill, ShowsThePrinterGroupEmptyWhenOnlyOtherMakersPrintersExist) {
  World w({}, {}, {}, /*anyPrinter=*/true);
  EXPECT_EQ(w.Drawn(), "Printer Objects[ ]");
  World none({});
  EXPECT_EQ(none.Drawn(), "");
  EXPECT_FALSE(none.model->AnythingChosen());
}

TEST(SelectPageFill, FillingAgainStartsFromTheDataNotFromTheOldNodes) {
  World w({{"A", ""}, {"B", "A"}});
  w.Click("B");
  w.model->WriteBack();
  w.model->Fill();
  EXPECT_EQ(w.Drawn(), "A[x](B[x])");
  EXPECT_EQ(w.model->NodeOfItem(1), w.Node("B"));
  EXPECT_EQ(w.model->tree().size(), 2);
}

TEST(SelectPageFill, BecomingActiveSelectsTheFirstTopLevelNode) {
  World w({{"A", ""}, {"B", "A"}, {"C", ""}});
  w.model->ClickLabel(w.Node("C"));
  w.model->Activate();
  EXPECT_EQ(w.model->tree().selected(), w.Node("A"));
}

}  // namespace
}  // namespace wizard_test
