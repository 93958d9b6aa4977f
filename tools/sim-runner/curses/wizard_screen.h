// The selection wizard on the terminal: the check-box tree page and the
// confirmation page, drawn from the wizard's models. Keys go to the model
// (Space and the arrows) or to the wizard's buttons (their mnemonics; Enter
// is the default button, Escape is Exit).
#pragma once
#include "app/component_tree.h"
#include "wizard/select_page_model.h"

// IdOk for "Uninstall Now", IdCancel for Exit, kWizardBack for Back on the
// first page (offered only with `backButton`). The choice is written back
// to what the model was made from when Next leaves the first page.
int RunWizardScreen(SelectPageModel& model, const UnstTreeNode* root, bool backButton);
