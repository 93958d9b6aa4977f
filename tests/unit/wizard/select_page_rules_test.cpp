// The rules that keep the selection tree consistent while the user ticks:
// groups follow their children, hard dependencies lock, ticking a component
// ticks what needs it, and only Ticked nodes are chosen in the end.
#include <gtest/gtest.h>

#include <functional>

#include "wizard_fixture.h"

namespace wizard_test {
namespace {

struct Case {
  const char* what;
  std::vector<Item> items;
  std::function<void(World&)> act;
  std::string drawn;
};

void Check(const std::vector<Case>& cases, const std::vector<Entry>& printers = {}) {
  for (const Case& c : cases) {
    World w(c.items, printers);
    c.act(w);
    EXPECT_EQ(w.Drawn(), c.drawn) << c.what;
  }
}

TEST(SelectPageGroups, AGroupFollowsItsChildrenAndPassesItsOwnBoxDown) {
  const std::vector<Item> group = {{"G", ""}, {"G1", "G", {}, 0, true}, {"G2", "G"}};
  const std::vector<Item> ticked = {{"G", ""}, {"G1", "G", {}, 0, true}, {"G2", "G", {}, 0, true}};
  Check({
      {"a click on a partly ticked group ticks it all", group, [](World& w) { w.Click("G"); }, "G[x](G1[x] G2[x])"},
      {"so does Space", group, [](World& w) { w.Space("G"); }, "G[x](G1[x] G2[x])"},
      {"unticking a ticked group unticks it all", ticked, [](World& w) { w.Click("G"); }, "G[ ](G1[ ] G2[ ])"},
      {"unticking one child leaves the group partly ticked", ticked, [](World& w) { w.Click("G1"); },
       "G[~](G1[ ] G2[x])"},
      {"unticking the last ticked child unticks the group", group, [](World& w) { w.Click("G1"); },
       "G[ ](G1[ ] G2[ ])"},
      {"ticking the last child ticks the group", group, [](World& w) { w.Click("G2"); }, "G[x](G1[x] G2[x])"},
      {"a deeper leaf ticks every ancestor it completes",
       {{"G", ""}, {"H", "G"}, {"H1", "H"}, {"G2", "G", {}, 0, true}},
       [](World& w) { w.Click("H1"); }, "G[x](H[x](H1[x]) G2[x])"},
  });
}

TEST(SelectPageGroups, AComponentThatDoesNotFollowItsChildrenStaysPartlyTickedAndIsNotChosen) {
  World w({{"P", "", {}, 0, false, /*follows=*/false}, {"C1", "P"}, {"C2", "P"}});
  w.Click("C1").Click("C2");
  EXPECT_EQ(w.Drawn(), "P[~](C1[x] C2[x])");
  w.model->WriteBack();
  EXPECT_FALSE(w.Selected("P"));
  EXPECT_TRUE(w.Selected("C1"));
  EXPECT_TRUE(w.Selected("C2"));

  // Ticked on its own box, it is chosen with its children.
  w.Click("P");
  EXPECT_EQ(w.Drawn(), "P[x](C1[x] C2[x])");
  w.model->WriteBack();
  EXPECT_TRUE(w.Selected("P"));
}

TEST(SelectPageGroups, ThePrinterGroupFollowsItsPrinters) {
  Check({{"both printers ticked", {}, [](World& w) { w.Click("P1").Click("P2"); },
          "Printer Objects[x](P1[x] P2[x])"},
         {"the group unticked", {}, [](World& w) { w.Click("P1").Click("P2").Click("Printer Objects"); },
          "Printer Objects[ ](P1[ ] P2[ ])"}},
        {{"P1"}, {"P2"}});
}

TEST(SelectPageLocks, AHardDependencyOfAComponentThatStaysIsLockedLabelledAndDeaf) {
  const std::vector<Item> hard = {{"Lib", "", {}, 1}, {"App", "", {"LIB"}}};
  Check({
      {"locked with the requirer's name", hard, [](World&) {}, "Lib -- Required by App[#] App[ ]"},
      {"a click changes nothing", hard, [](World& w) { w.Click("Lib"); }, "Lib -- Required by App[#] App[ ]"},
      {"nor does Space", hard, [](World& w) { w.Space("Lib"); }, "Lib -- Required by App[#] App[ ]"},
      {"a soft dependency is not locked", {{"Lib", ""}, {"App", "", {"Lib"}}}, [](World&) {}, "Lib[ ] App[ ]"},
      {"a requirer that goes is no reason", {{"Lib", "", {}, 1}, {"App", "", {"Lib"}, 0, true}}, [](World&) {},
       "Lib[ ] App[x]"},
      {"the first requirer that stays names the lock",
       {{"Lib", "", {}, 1}, {"Gone", "", {"Lib"}, 0, true}, {"One", "", {"Lib"}}, {"Two", "", {"Lib"}}},
       [](World&) {}, "Lib -- Required by One[#] Gone[x] One[ ] Two[ ]"},
      {"a locked child is passed over by its group's box",
       {{"G", ""}, {"Lib", "G", {}, 1}, {"Other", "G"}, {"App", "", {"Lib"}}},
       [](World& w) { w.Click("G"); }, "G[x](Lib -- Required by App[#] Other[x]) App[ ]"},
      {"a locked child does not keep its group from being ticked",
       {{"G", ""}, {"Lib", "G", {}, 1}, {"Other", "G"}, {"App", "", {"Lib"}}},
       [](World& w) { w.Click("Other"); }, "G[x](Lib -- Required by App[#] Other[x]) App[ ]"},
  });
}

TEST(SelectPageLocks, ALockIsLiftedWhenItsRequirerIsTickedAndTheNodeFollowsItsParent) {
  Check({
      {"under a ticked group it becomes ticked",
       {{"G", ""}, {"Lib", "G", {}, 1}, {"Other", "G", {}, 0, true}, {"App", "", {"Lib"}}},
       [](World& w) { w.Click("App"); }, "G[x](Lib[x] Other[x]) App[x]"},
      {"under an unticked group it becomes unticked",
       {{"G", ""}, {"Lib", "G", {}, 1}, {"Other", "G"}, {"App", "", {"Lib"}}},
       [](World& w) { w.Click("App"); }, "G[ ](Lib[ ] Other[ ]) App[x]"},
      {"and locks again when the requirer is unticked",
       {{"G", ""}, {"Lib", "G", {}, 1}, {"Other", "G"}, {"App", "", {"Lib"}}},
       [](World& w) { w.Click("App").Click("App"); }, "G[ ](Lib -- Required by App[#] Other[ ]) App[ ]"},
  });
}

TEST(SelectPageDependents, TickingAComponentTicksEveryComponentThatNeedsIt) {
  Check({
      {"each dependent, without case",
       {{"Base", ""}, {"UsesA", "", {"base"}}, {"UsesB", "", {"x", "BASE"}}, {"Free", ""}},
       [](World& w) { w.Click("Base"); }, "Base[x] UsesA[x] UsesB[x] Free[ ]"},
      {"a dependent group is ticked with its children",
       {{"Base", ""}, {"Suite", "", {"Base"}}, {"S1", "Suite"}, {"S2", "Suite"}},
       [](World& w) { w.Click("Base"); }, "Base[x] Suite[x](S1[x] S2[x])"},
      {"a group completed by its child ticks the group's dependents",
       {{"G", ""}, {"G1", "G"}, {"UsesG", "", {"G"}}},
       [](World& w) { w.Click("G1"); }, "G[x](G1[x]) UsesG[x]"},
      {"a component cannot be unticked while something it needs is ticked",
       {{"Base", "", {}, 0, true}, {"User", "", {"Base"}, 0, true}},
       [](World& w) { w.Click("User"); }, "Base[x] User[x]"},
      {"unticking what is needed leaves the dependent as it is",
       {{"Base", "", {}, 0, true}, {"User", "", {"Base"}, 0, true}},
       [](World& w) { w.Click("Base"); }, "Base[ ] User[x]"},
  });
}

TEST(SelectPageDependents, AComponentNeedingPrintersFollowsThePrinterGroup) {
  Check({
      {"ticking the group ticks it", {{"Port", "", {"Printer"}}}, [](World& w) { w.Click("Printer Objects"); },
       "Port[x] Printer Objects[x](P1[x])"},
      {"touching it while the group is ticked ticks it", {{"Port", "", {"Printer"}}},
       [](World& w) { w.Click("P1").Click("Port").Click("Port"); }, "Port[x] Printer Objects[x](P1[x])"},
      {"with the group unticked it can be unticked", {{"Port", "", {"Printer"}}},
       [](World& w) { w.Click("Port").Click("Port"); }, "Port[ ] Printer Objects[ ](P1[ ])"},
  },
        {{"P1"}});
}

TEST(SelectPageWriteBack, OnlyTickedNodesChooseWhatTheyShow) {
  World w({{"G", "", {}, 0, true}, {"G1", "G", {}, 0, true}, {"G2", "G", {}, 0, true}, {"Lib", "", {}, 1, true},
           {"App", "", {"Lib"}}, {"Solo", "", {}, 0, true}},
          {{"P1", true}, {"P2", false}}, {{"D1", false}, {"D2", true}});
  w.Click("G1").Click("P2").Click("D1").Click("Solo");
  ASSERT_EQ(w.Drawn(),
            "G[~](G1[ ] G2[x]) Lib -- Required by App[#] App[ ] Solo[ ] Printer Objects[x](P1[x] P2[x]) "
            "Drivers not associated with a printer object[x](D1[x] D2[x])");
  w.model->WriteBack();
  EXPECT_FALSE(w.Selected("G")) << "partly ticked";
  EXPECT_FALSE(w.Selected("G1"));
  EXPECT_TRUE(w.Selected("G2"));
  EXPECT_FALSE(w.Selected("Lib")) << "locked";
  EXPECT_FALSE(w.Selected("App"));
  EXPECT_FALSE(w.Selected("Solo"));
  EXPECT_EQ(w.flags, (std::deque<bool>{true, true, true, true}));
}

TEST(SelectPageNext, NeedsATickedOrPartlyTickedTopLevelNode) {
  World w({{"G", ""}, {"G1", "G"}, {"G2", "G"}, {"Lib", "", {}, 1}, {"App", "", {"Lib"}}});
  EXPECT_FALSE(w.model->AnythingChosen()) << "a locked node is no choice";
  w.Click("G1");
  EXPECT_TRUE(w.model->AnythingChosen());
  w.Click("G1");
  EXPECT_FALSE(w.model->AnythingChosen());
}

// Component data comes from the install log; loops and dangling keys in it
// must neither hang the page nor choose more than the user ticked.
TEST(SelectPageHostileData, LoopsAndMissingRequirementsChooseNothingExtra) {
  Check({
      {"a soft requirement loop ticks only the loop",
       {{"A", "", {"B"}}, {"B", "", {"A"}}, {"C", ""}},
       [](World& w) { w.Click("A"); }, "A[x] B[x] C[ ]"},
      {"a component requiring itself", {{"A", "", {"A"}}, {"B", ""}}, [](World& w) { w.Click("A").Click("A"); },
       "A[ ] B[ ]"},
      {"a missing requirement is not ticked and locks nothing", {{"A", "", {"Ghost", ""}}, {"B", ""}},
       [](World& w) { w.Click("A").Click("A"); }, "A[ ] B[ ]"},
      {"a requirement of printers without printers", {{"A", "", {"Printer"}}},
       [](World& w) { w.Click("A").Click("A"); }, "A[ ]"},
      {"a parent loop puts the first at the top", {{"A", "B"}, {"B", "A"}}, [](World& w) { w.Click("B"); },
       "A[x](B[x])"},
  });

  World hard({{"A", "", {"B"}, 1}, {"B", "", {"A"}, 1}, {"C", ""}});
  hard.Click("A").Click("B").Space("A").Click("C");
  hard.model->WriteBack();
  EXPECT_FALSE(hard.Selected("A"));
  EXPECT_FALSE(hard.Selected("B"));
  EXPECT_TRUE(hard.Selected("C"));
}

}  // namespace
}  // namespace wizard_test

namespace wizard_test {
namespace {

TEST(SelectPageLocks, ATopLevelComponentThatLosesItsLockBecomesUntickedAndCanBeChosen) {
  World w({{"Lib", "", {}, 1}, {"App", ""}, {"Tool", "", {"Lib"}}});
  w.items[1].requiredKeys = {"Lib"};
  w.model->Fill();
  ASSERT_EQ(w.Drawn(), "Lib -- Required by App[#] App[ ] Tool[ ]");
  w.Click("App");
  EXPECT_EQ(w.Drawn(), "Lib -- Required by Tool[#] App[x] Tool[ ]") << "the next requirer that stays names it";
  w.Click("Tool");
  EXPECT_EQ(w.Drawn(), "Lib[ ] App[x] Tool[x]");
  w.Click("Lib");
  EXPECT_EQ(w.Drawn(), "Lib[x] App[x] Tool[x]");
  w.model->WriteBack();
  EXPECT_TRUE(w.Selected("Lib"));
}

TEST(SelectPageGroups, AGroupWhoseChildrenAreAllLockedIsTickedOnlyByItsOwnBox) {
  World w({{"G", ""}, {"Lib", "G", {}, 1}, {"App", "", {"Lib"}}});
  EXPECT_EQ(w.Drawn(), "G[ ](Lib -- Required by App[#]) App[ ]");
  EXPECT_FALSE(w.model->AnythingChosen());
  w.model->WriteBack();
  EXPECT_FALSE(w.Selected("G"));

  w.Click("G");
  EXPECT_EQ(w.Drawn(), "G[x](Lib -- Required by App[#]) App[ ]");
  w.Click("G");
  EXPECT_EQ(w.Drawn(), "G[ ](Lib -- Required by App[#]) App[ ]");
}

TEST(SelectPageLocks, ALockSpreadsAlongAChainOfHardDependenciesWhateverTheListOrder) {
  // A needs B, B needs C; unticking A's group leaves A, so B and C must stay.
  const std::vector<Item> backwards = {{"C", "", {}, 1, true},
                                       {"B", "", {"C"}, 1, true},
                                       {"G", "", {}, 0, true},
                                       {"A", "G", {"B"}, 0, true}};
  const std::vector<Item> forwards = {{"G", "", {}, 0, true},
                                      {"A", "G", {"B"}, 0, true},
                                      {"B", "", {"C"}, 1, true},
                                      {"C", "", {}, 1, true}};
  for (const auto& items : {backwards, forwards}) {
    World w(items, {});
    w.Click("G");
    w.model->WriteBack();
    for (const char* key : {"A", "B", "C", "G"}) EXPECT_FALSE(w.Selected(key)) << key << " in " << w.Drawn();
    EXPECT_EQ(w.State("B"), CheckState::Locked);
    EXPECT_EQ(w.State("C"), CheckState::Locked);
  }
}

}  // namespace
}  // namespace wizard_test

namespace wizard_test {
namespace {

// A window posts each change and handles it later; a change handled in
// between may lock the node the next change is about.
TEST(SelectPageLocks, AChangeHandledLateLeavesANodeLockedInTheMeantimeLocked) {
  World w({{"G", "", {}, 1}, {"G1", "G", {}, 0, true}, {"G2", "G"}, {"App", "", {"G"}, 0, true}});
  ASSERT_EQ(w.Drawn(), "G[~](G1[x] G2[ ]) App[x]");
  CheckTree& tree = w.model->tree();
  const auto appUnticked = ClickBox(tree, w.Node("App"));
  const auto groupClicked = ClickBox(tree, w.Node("G"));
  ASSERT_TRUE(appUnticked && groupClicked);
  ASSERT_EQ(groupClicked->value, ChangeValue::WasPartial);

  w.model->HandleCheckChange(*appUnticked);
  ASSERT_EQ(w.State("G"), CheckState::Locked);
  w.model->HandleCheckChange(*groupClicked);
  EXPECT_EQ(w.Drawn(), "G -- Required by App[#](G1[x] G2[ ]) App[ ]");
  w.model->WriteBack();
  EXPECT_FALSE(w.Selected("G"));
  EXPECT_FALSE(w.Selected("G2"));
}

}  // namespace
}  // namespace wizard_test
