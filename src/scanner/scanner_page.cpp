#include "scanner/scanner_page.h"

#include "app/ui_constants.h"

namespace qb::scanner {

ScannerPage::ScannerPage(toolkit::Panel& page, app::MainActions& actions)
    : lbMain(page.AsParent(), ids::kLbMain, {8, 8, 297, 193}, app::ListFont()),
      gbActions(page.AsParent(), ids::kScannerActionsGroup, {8, 208, 297, 89}, ": Actions :"),
      btScan(page.AsParent(), ids::kBtScan, {16, 228, 75, 57}, {}),
      btCheckAll(page.AsParent(), ids::kBtCheckAll, {99, 228, 97, 25}, {}),
      btUnCheckAll(page.AsParent(), ids::kBtUnCheckAll, {99, 260, 97, 25}, {}),
      btDeleteSelected(page.AsParent(), ids::kBtDeleteSelected, {204, 228, 89, 57}, {},
                       BS_PUSHBUTTON | BS_MULTILINE),
      pmScan({toolkit::MenuItem(actions.aScan), toolkit::MenuItem(actions.aSelectAll),
              toolkit::MenuItem(actions.aDeselectAll), toolkit::MenuItem(actions.aDeleteSelected),
              toolkit::MenuItem(actions.aIgnoreObject), toolkit::MenuItem(actions.aRemoveObject)}) {
  lbMain.SetItemHeight(app::kListItemHeight);
  lbMain.SetColors(app::kInfoBackground);
  lbMain.SetPopupMenu(&pmScan);
  btScan.BindAction(actions.aScan);
  btCheckAll.BindAction(actions.aSelectAll);
  btUnCheckAll.BindAction(actions.aDeselectAll);
  btDeleteSelected.BindAction(actions.aDeleteSelected);
}

}  // namespace qb::scanner
