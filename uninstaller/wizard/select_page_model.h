// The selection page without its window: fills the check-box tree from the
// components, printers and unattached drivers, keeps its states consistent
// while the user ticks (dependencies, locks, groups), and writes the choice
// back when the page is left. Nothing the user does here can choose a node
// that is Locked.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "items/unst_item.h"
#include "wizard/check_tree.h"
#include "wizard/check_tree_input.h"
#include "wizard/choices.h"

inline constexpr char kPrinterGroupText[] = "Printer Objects";
inline constexpr char kDriverGroupText[] = "Drivers not associated with a printer object";
inline constexpr char kPrinterGroupData[] = "Printer";
inline constexpr char kDriverGroupData[] = "Driver";

class SelectPageModel {
 public:
  SelectPageModel(UnstItemArray& items, ChoiceList printers, ChoiceList drivers);

  // Builds the tree from the current selection; items get their node in
  // treeItem.
  void Fill();
  // The page became active: the first top-level node is selected.
  void Activate();

  CheckTree& tree() { return tree_; }
  const ChoiceList& printers() const { return printers_; }
  const ChoiceList& drivers() const { return drivers_; }
  const CheckTree& tree() const { return tree_; }
  NodeId NodeOfItem(int itemIndex) const;

  // The user's operations: each change the tree reports is handled at once.
  void ClickBox(NodeId id);
  void ClickLabel(NodeId id) { ::ClickLabel(tree_, id); }
  void PressKey(TreeKey key);

  // Next may leave the page only when some top-level node is Ticked or
  // Partial.
  bool AnythingChosen() const;
  // Leaving the page: Ticked nodes select what they show, all others
  // deselect it.
  void WriteBack();

  // The rules, in the words the page uses. `newState` nullopt derives the
  // state from the children.
  void SetNodeState(NodeId id, std::optional<CheckState> newState, bool pushDown);
  void RecomputeAll();
  void UpdateLocks();
  void CheckDependents(std::string_view key);
  bool RequirementTicked(std::string_view key) const;
  void HandleCheckChange(const CheckChange& change);

 private:
  enum class Source { Component, PrinterGroup, Printer, DriverGroup, Driver };
  struct Origin {
    Source source;
    int index = -1;  // item, printer or driver entry
  };

  NodeId Add(std::string text, std::string data, bool ticked, NodeId parent, Origin origin);
  void FillComponents();
  void FillChoices(const ChoiceList& list, const char* groupText, const char* groupData, Source group,
                   Source entry);
  // The first item that lists `item`'s key in its requirements and stays
  // (its node is Unticked or Locked), or null.
  const UnstItem* RequiredByStaying(const UnstItem& item) const;
  NodeId RequirementNode(std::string_view key) const;
  // One pass of UpdateLocks over the list; true when a state changed.
  bool UpdateLocksOnce();
  void WriteBackNode(NodeId id);

  UnstItemArray& items_;
  ChoiceList printers_;
  ChoiceList drivers_;
  CheckTree tree_;
  std::vector<Origin> origins_;  // by node
};
