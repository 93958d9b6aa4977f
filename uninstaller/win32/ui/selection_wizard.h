// The interactive run's selection wizard: a select page with the check-box
// tree and a confirm page, in a wizard sheet with the program's own buttons.
// The choice is written into the items, printers and drivers the model was
// made from when the select page is left.
#pragma once
#include <windows.h>

#include "app/component_tree.h"
#include "wizard/select_page_model.h"

namespace ui {

enum class WizardResult {
  Finish,  // "Uninstall Now": remove what was chosen
  Exit,    // nothing is removed
  Back,    // Back on the first page, offered only when the run asked for it
};

// The sheet's modal result as the rest of the run knows it.
inline constexpr int kWizardFinishCommand = 0x3025;
inline constexpr int kWizardBackResult = 500;
int ModalResult(WizardResult r);

struct WizardOptions {
  bool backButton = false;  // the first page offers Back
  HWND owner = nullptr;
};

// Shows the wizard and returns how it ended. `root` is the component tree
// the confirm page walks; it must describe the model's items.
WizardResult RunSelectionWizard(HINSTANCE inst, SelectPageModel& model, const UnstTreeNode* root,
                                const WizardOptions& options);

}  // namespace ui
