// The read-only tree of the confirmation page: what the selection page wrote
// back, in the order the removal takes it.
#pragma once
#include "app/component_tree.h"
#include "wizard/check_tree.h"
#include "wizard/choices.h"

// Replaces `out` with the chosen components (with the parents that lead to
// them), then the chosen printers and unattached drivers under their groups.
// Nodes have no box; every node is expanded and the first one selected.
void BuildConfirmationTree(CheckTree& out, const UnstTreeNode* root, const ChoiceList& printers,
                           const ChoiceList& drivers);
