// Walks through the real selection wizard as a user would: Next with nothing
// ticked, a click on a component's box, Space on a printer, Next, Enter on
// "Uninstall Now"; then Back on a run that offers it, and Exit. A second
// thread does the user's part by sending the window messages a mouse and
// keyboard would cause, photographs every page
// into the directory given as the first argument, and the main thread checks
// what the wizard wrote back.
//   wizard_walk.exe OUTPUT_DIR
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/component_tree.h"
#include "walk_helpers.h"
#include "selection_wizard.h"
#include "ui_ids.h"
#include "wide.h"
#include "wizard/select_page_model.h"

namespace {

using namespace walk;

HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
  wchar_t buf[256] = {};
  TVITEMW tv{};
  tv.mask = TVIF_TEXT | TVIF_HANDLE;
  tv.hItem = item;
  tv.pszText = buf;
  tv.cchTextMax = 255;
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  return buf;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT how) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// The whole tree as "A(B C) D", with the state image index after each
// node that has one: "A:2(B:2 C:1)".
std::string Describe(HWND tree, HTREEITEM first) {
  std::string s;
  for (HTREEITEM i = first; i != nullptr; i = Next(tree, i, TVGN_NEXT)) {
    if (!s.empty()) s += " ";
    s += ui::Narrow(ItemText(tree, i));
    const auto state = static_cast<UINT>(SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(i),
                                                       TVIS_STATEIMAGEMASK)) >> 12;
    if (state != 0) s += ":" + std::to_string(state);
    if (HTREEITEM child = Next(tree, i, TVGN_CHILD)) s += "(" + Describe(tree, child) + ")";
  }
  return s;
}

HTREEITEM FindItem(HWND tree, HTREEITEM first, const std::wstring& text) {
  for (HTREEITEM i = first; i != nullptr; i = Next(tree, i, TVGN_NEXT)) {
    if (ItemText(tree, i) == text) return i;
    if (HTREEITEM found = FindItem(tree, Next(tree, i, TVGN_CHILD), text)) return found;
  }
  return nullptr;
}

HTREEITEM Root(HWND tree) { return Next(tree, nullptr, TVGN_ROOT); }

// A press where the user would put the mouse: on the box, or on the label.
void ClickNode(HWND tree, HTREEITEM item, bool onBox) {
  RECT r{};
  std::memcpy(&r, &item, sizeof item);  // the message takes the item in the rectangle
  if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r))) Abort("node has no rectangle");
  const int y = (r.top + r.bottom) / 2;
  int x = (r.left + r.right) / 2;
  if (onBox) {
    x = -1;
    for (int probe = r.left - 1; probe >= 0; --probe) {
      TVHITTESTINFO hit{};
      hit.pt = {probe, y};
      SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      if (hit.hItem == item && (hit.flags & TVHT_ONITEMSTATEICON)) {
        x = probe - 4;  // well inside the 16-pixel image
        break;
      }
    }
    if (x < 0) Abort("no check box left of " + ui::Narrow(ItemText(tree, item)));
  }
  SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

DWORD WINAPI User(LPVOID) {
  HWND sheet = WaitFor([] { return FindTopLevel(L"Uninstall", nullptr); }, "the wizard");
  HWND next = WaitFor([&] { return ChildWithText(sheet, L"&Next>"); }, "the Next button");
  Settle(sheet);
  Photograph(sheet, L"wizard-select.png");

  HWND page = CurrentPage(sheet);
  HWND tree = GetDlgItem(page, IDC_SELECT_TREE);
  Expect(Describe(tree, Root(tree)) ==
             "Management Suite:1(Status Monitor:1) Bidirectional Support -- Required by Status Monitor:3 "
             "Printer Objects:1(Vorkast Laser 5:1 Vorkast Colour 3:1) "
             "Drivers not associated with a printer object:1(Vorkast PCL Driver:1)",
         "the select page shows " + Describe(tree, Root(tree)));
  Expect(ChildWithText(sheet, L"<&Back") != nullptr && !IsWindowEnabled(ChildWithText(sheet, L"<&Back")),
         "Back is shown and disabled on the first page");

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(next, WM_GETFONT, 0, 0)), sizeof font, &font);
  Expect(font.lfWeight >= FW_BOLD, "the wizard's buttons have a bold font");

  // Next with nothing ticked: the page says so and stays.
  PostMessageW(next, BM_CLICK, 0, 0);
  HWND box = WaitFor([&] { return FindTopLevel(L"Uninstall", sheet); }, "the nothing-chosen message");
  Settle(box);
  Photograph(box, L"wizard-nothing-chosen.png");
  SendMessageW(box, WM_COMMAND, IDOK, 0);
  Settle(sheet);
  Expect(CurrentPage(sheet) == page, "the select page stays after Next with nothing ticked");

  // A click on the box of a component frees what it needs; Space ticks the
  // selected printer.
  ClickNode(tree, FindItem(tree, Root(tree), L"Status Monitor"), true);
  Settle(sheet);
  ClickNode(tree, FindItem(tree, Root(tree), L"Vorkast Laser 5"), false);
  SendMessageW(tree, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(tree, WM_CHAR, L' ', 0);
  Settle(sheet);
  const std::string ticked = Describe(tree, Root(tree));
  Expect(ticked ==
             "Management Suite:2(Status Monitor:2) Bidirectional Support:1 "
             "Printer Objects:4(Vorkast Laser 5:2 Vorkast Colour 3:1) "
             "Drivers not associated with a printer object:1(Vorkast PCL Driver:1)",
         "after the click and Space the select page shows " + ticked);
  Photograph(sheet, L"wizard-select-ticked.png");

  PostMessageW(next, BM_CLICK, 0, 0);
  HWND confirm = WaitFor(
      [&] {
        HWND p = CurrentPage(sheet);
        return p != page ? p : nullptr;
      },
      "the confirm page");
  Settle(sheet);
  HWND chosen = GetDlgItem(confirm, IDC_CONFIRM_TREE);
  Expect(chosen != nullptr, "the confirm page has its tree");
  const std::string confirmed = Describe(chosen, Root(chosen));
  Expect(confirmed == "Management Suite(Status Monitor) Printer Objects(Vorkast Laser 5)",
         "the confirm page shows " + confirmed);
  Expect(ChildWithText(sheet, L"&Next>") == nullptr, "Next is hidden on the confirm page");
  Photograph(sheet, L"wizard-confirm.png");

  // Enter on the focused-or-not "Uninstall Now" button presses it.
  HWND finish = ChildWithText(sheet, L"Uninstall &Now");
  if (finish == nullptr) Abort("no Uninstall Now button");
  PostMessageW(finish, WM_KEYDOWN, VK_RETURN, 0);
  WaitGone(sheet, "the wizard");

  // A run that offers Back on the first page: Back ends the wizard.
  sheet = WaitFor([] { return FindTopLevel(L"Uninstall"); }, "the wizard with Back");
  HWND back = WaitFor([&] { return ChildWithText(sheet, L"<&Back"); }, "the Back button");
  Settle(sheet);
  Expect(IsWindowEnabled(back) != FALSE, "Back is enabled when the run offers it");
  PostMessageW(back, BM_CLICK, 0, 0);
  WaitGone(sheet, "the wizard after Back");

  // Exit ends it without a choice.
  sheet = WaitFor([] { return FindTopLevel(L"Uninstall"); }, "the wizard a third time");
  HWND exitButton = WaitFor([&] { return ChildWithText(sheet, L"E&xit"); }, "the Exit button");
  Settle(sheet);
  PostMessageW(exitButton, BM_CLICK, 0, 0);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: wizard_walk.exe OUTPUT_DIR\n");
    return 2;
  }
  Begin(argv[1]);
  InitCommonControls();

  UnstItemArray items;
  items.Add("mgmt", "", "Suite", "Management Suite", 0);
  const int mon = items.Add("mon", "mgmt", "Suite", "Status Monitor", 0);
  const int bidi = items.Add("bidi", "", "Bidi", "Bidirectional Support", 0);
  items[mon].requiredKeys = {"bidi"};
  items[bidi].dependencyStrength = 1;
  bool laser = false, colour = false, pcl = false;
  ChoiceList printers{true, {{"Vorkast Laser 5", &laser}, {"Vorkast Colour 3", &colour}}};
  ChoiceList drivers{true, {{"Vorkast PCL Driver", &pcl}}};
  ComponentTree components;
  components.Build(items);
  SelectPageModel model(items, printers, drivers);

  CloseHandle(CreateThread(nullptr, 0, &User, nullptr, 0, nullptr));
  const ui::WizardResult result = ui::RunSelectionWizard(GetModuleHandleW(nullptr), model, components.root(), {});

  Expect(result == ui::WizardResult::Finish, "the wizard ends with Uninstall Now");
  Expect(items[0].selected && items[mon].selected && !items[bidi].selected,
         "the suite and its monitor are chosen, the support they no longer need is not");
  Expect(laser && !colour && !pcl, "only the ticked printer is chosen");

  ui::WizardOptions withBack;
  withBack.backButton = true;
  const ui::WizardResult back = ui::RunSelectionWizard(GetModuleHandleW(nullptr), model, components.root(), withBack);
  Expect(back == ui::WizardResult::Back && ui::ModalResult(back) == ui::kWizardBackResult,
         "Back on the first page ends the wizard with 500");
  const ui::WizardResult exited = ui::RunSelectionWizard(GetModuleHandleW(nullptr), model, components.root(), {});
  Expect(exited == ui::WizardResult::Exit && ui::ModalResult(exited) == IDCANCEL, "Exit ends the wizard with IDCANCEL");
  return Finish();
}
