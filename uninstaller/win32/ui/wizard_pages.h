// The wizard's two pages: choosing in the check-box tree, then seeing the
// choice read-only before "Uninstall Now".
#pragma once
#include <windows.h>

#include <prsht.h>

#include "app/component_tree.h"
#include "check_box_tree.h"
#include "tree_view.h"
#include "unst_sheet.h"
#include "wizard/check_tree.h"
#include "wizard/select_page_model.h"

namespace ui {

class CSelectPage {
 public:
  CSelectPage(HINSTANCE inst, CUnstSheet& sheet, SelectPageModel& model, bool backButton)
      : inst_(inst), sheet_(sheet), model_(model), backButton_(backButton) {}
  PROPSHEETPAGEW Page();

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void OnInit(HWND page);
  LRESULT OnNotify(const NMHDR& n);

  HINSTANCE inst_;
  CUnstSheet& sheet_;
  SelectPageModel& model_;
  bool backButton_;
  HWND hwnd_ = nullptr;
  CCheckBoxTree tree_;
};

class CConfirmPage {
 public:
  CConfirmPage(HINSTANCE inst, CUnstSheet& sheet, const SelectPageModel& model, const UnstTreeNode* root)
      : inst_(inst), sheet_(sheet), model_(model), root_(root) {}
  PROPSHEETPAGEW Page();

 private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT OnNotify(const NMHDR& n);

  HINSTANCE inst_;
  CUnstSheet& sheet_;
  const SelectPageModel& model_;
  const UnstTreeNode* root_;
  CheckTree chosen_;
  TreeViewMirror tree_;
};

}  // namespace ui
