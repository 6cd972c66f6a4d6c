#pragma once

#include "app/main_actions.h"
#include "toolkit/controls.h"
#include "toolkit/menu.h"
#include "toolkit/panel.h"

namespace qb::scanner {

// The Scanner action page: the list of suspicious objects and its actions.
class ScannerPage {
 public:
  ScannerPage(toolkit::Panel& page, app::MainActions& actions);

  toolkit::CheckListBox lbMain;
  toolkit::GroupBox gbActions;
  toolkit::Button btScan;
  toolkit::Button btCheckAll;
  toolkit::Button btUnCheckAll;
  toolkit::Button btDeleteSelected;
  toolkit::PopupMenu pmScan;
};

}  // namespace qb::scanner
