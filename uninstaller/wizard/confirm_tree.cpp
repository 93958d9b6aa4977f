#include "wizard/confirm_tree.h"

#include "wizard/select_page_model.h"

namespace {

bool AnythingSelectedIn(const UnstTreeNode* node) {
  if (node->item && node->item->selected) return true;
  for (const UnstTreeNode* child = node->firstChild; child; child = child->nextSibling) {
    if (AnythingSelectedIn(child)) return true;
  }
  return false;
}

void AddComponents(CheckTree& out, const UnstTreeNode* node, NodeId parent) {
  for (const UnstTreeNode* child = node->firstChild; child; child = child->nextSibling) {
    if (!AnythingSelectedIn(child)) continue;
    const NodeId id = out.Insert(child->item->displayName, child->item->key, CheckState::None, parent, false);
    AddComponents(out, child, id);
  }
}

void AddChosen(CheckTree& out, const ChoiceList& list, const char* groupText, const char* groupData) {
  NodeId group = kNoNode;
  for (const Choice& c : list.entries) {
    if (!*c.selected || !c.notTried) continue;
    if (group == kNoNode) group = out.Insert(groupText, groupData, CheckState::None, kNoNode, false);
    out.Insert(c.name, "", CheckState::None, group, false);
  }
}

}  // namespace

void BuildConfirmationTree(CheckTree& out, const UnstTreeNode* root, const ChoiceList& printers,
                           const ChoiceList& drivers) {
  out.Clear();
  if (root) AddComponents(out, root, kNoNode);
  AddChosen(out, printers, kPrinterGroupText, kPrinterGroupData);
  AddChosen(out, drivers, kDriverGroupText, kDriverGroupData);
  out.ExpandAll();
  if (!out.TopLevel().empty()) out.Select(out.TopLevel().front());
}
