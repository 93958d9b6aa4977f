#include "scripted_wizard.h"

#include "app/cunst_main.h"
#include "wizard/select_page_model.h"

std::optional<std::string> TickWizard(CUnstMain& app, const std::vector<std::string>& labels) {
  SelectPageModel model(app.items, PrinterChoices(app.printers), DriverChoices(app.orphanDrivers));
  model.Fill();
  model.Activate();
  CheckTree& tree = model.tree();
  for (const std::string& label : labels) {
    NodeId found = kNoNode;
    for (NodeId id = 0; id < tree.size() && found == kNoNode; ++id) {
      if (tree.node(id).text == label) found = id;
    }
    if (found == kNoNode) return "the wizard shows no item \"" + label + "\" to tick";
    model.ClickBox(found);
  }
  model.WriteBack();
  return std::nullopt;
}
