#include "wizard_screen.h"

#include <curses.h>

#include <algorithm>
#include <string>
#include <vector>

#include "curses_draw.h"
#include "platform/ui.h"
#include "wizard/confirm_tree.h"

namespace {

const char* BoxOf(CheckState state) {
  switch (state) {
    case CheckState::Unticked: return "[ ] ";
    case CheckState::Ticked: return "[x] ";
    case CheckState::Locked: return "[#] ";
    case CheckState::Partial: return "[~] ";
    case CheckState::None: break;
  }
  return "";
}

int Depth(const CheckTree& tree, NodeId id) {
  int depth = 0;
  for (NodeId p = tree.node(id).parent; p != kNoNode; p = tree.node(p).parent) ++depth;
  return depth;
}

// The visible nodes from `firstRow` on, one a line, the selected one in
// reverse; returns the first row after the tree.
void DrawTree(const CheckTree& tree, int firstRow, int lastRow) {
  const std::vector<NodeId> visible = tree.VisibleNodes();
  const int rows = lastRow - firstRow + 1;
  const auto at = std::find(visible.begin(), visible.end(), tree.selected());
  const int selectedIndex = at == visible.end() ? 0 : static_cast<int>(at - visible.begin());
  const int top = std::max(0, selectedIndex - rows + 1);
  for (int i = top; i < static_cast<int>(visible.size()) && firstRow + i - top <= lastRow; ++i) {
    const NodeId id = visible[static_cast<std::size_t>(i)];
    const CheckNode& node = tree.node(id);
    // The marker shows the selection where reverse video is not seen.
    std::string line = id == tree.selected() ? "> " : "  ";
    line += std::string(static_cast<std::size_t>(2 * Depth(tree, id)), ' ');
    line += tree.HasChildren(id) ? (node.expanded ? "- " : "+ ") : "  ";
    line += BoxOf(node.state);
    line += node.text;
    if (id == tree.selected()) attron(A_REVERSE);
    if (node.bold) attron(A_BOLD);
    if (node.state == CheckState::Locked) attron(A_DIM);
    mvaddnstr(firstRow + i - top, 2, line.c_str(), COLS - 4);
    attroff(A_REVERSE | A_BOLD | A_DIM);
  }
}

TreeKey TreeKeyOf(int key) {
  switch (key) {
    case ' ': return TreeKey::Space;
    case KEY_UP: return TreeKey::Up;
    case KEY_DOWN: return TreeKey::Down;
    case KEY_LEFT: return TreeKey::Left;
    case KEY_RIGHT: return TreeKey::Right;
    default: return TreeKey::Other;
  }
}

enum class Page { Select, Confirm };

}  // namespace

int RunWizardScreen(SelectPageModel& model, const UnstTreeNode* root, bool backButton) {
  model.Fill();
  model.Activate();
  CheckTree confirm;
  Page page = Page::Select;
  std::string note;
  for (;;) {
    const bool select = page == Page::Select;
    std::vector<term::Button> buttons;
    int backIndex = -1;
    if (!select || backButton) {
      backIndex = static_cast<int>(buttons.size());
      buttons.push_back({"< &Back", true, false});
    }
    const int nextIndex = static_cast<int>(buttons.size());
    buttons.push_back(select ? term::Button{"&Next >", true, true} : term::Button{"Uninstall &Now", true, true});
    const int exitIndex = static_cast<int>(buttons.size());
    buttons.push_back({"E&xit", true, false});

    const int width = term::DrawFrame(select ? "Uninstall - Select" : "Uninstall - Confirm");
    int row = term::DrawWrapped(
        2,
        select ? "Tick what you want to uninstall, then choose Next."
               : "These items will be uninstalled. Choose Uninstall Now to remove them.",
        width);
    if (select) {
      attron(A_DIM);
      mvaddnstr(row++, 2, "Space ticks  Up/Down move  Left/Right fold  [x] ticked  [~] partly  [#] needed",
                COLS - 4);
      attroff(A_DIM);
    }
    ++row;
    DrawTree(select ? model.tree() : confirm, row, LINES - 5);
    if (!note.empty()) mvaddnstr(LINES - 4, 2, note.c_str(), COLS - 4);
    term::DrawButtons(LINES - 2, buttons);
    refresh();

    const int key = getch();
    note.clear();
    int pressed = term::ButtonForKey(buttons, key);
    if (key == term::kEnter || key == KEY_ENTER) pressed = nextIndex;
    if (key == term::kEscape) pressed = exitIndex;
    if (pressed == -1) {
      if (select) {
        model.PressKey(TreeKeyOf(key));
      } else {
        // The confirmation tree has no boxes: the keys only move and fold.
        const TreeKey k = TreeKeyOf(key);
        if (k != TreeKey::Space) PressKey(confirm, k);
      }
      continue;
    }
    if (pressed == exitIndex) return plat::mb::IdCancel;
    if (pressed == backIndex) {
      if (select) return plat::kWizardBack;
      page = Page::Select;
      continue;
    }
    if (pressed == nextIndex && select) {
      if (!model.AnythingChosen()) {
        note = "Tick at least one item first.";
        continue;
      }
      model.WriteBack();
      BuildConfirmationTree(confirm, root, model.printers(), model.drivers());
      page = Page::Confirm;
      continue;
    }
    if (pressed == nextIndex) return plat::mb::IdOk;
  }
}
