#pragma once

#include "app/app_context.h"
#include "app/main_actions.h"
#include "scanner/details_view.h"
#include "scanner/object_info.h"
#include "toolkit/controls.h"
#include "toolkit/menu.h"
#include "toolkit/panel.h"

namespace qb::scanner {

// The Scanner action page: the list of suspicious objects, the scan and the
// selection of an object.
class ScannerPage {
 public:
  ScannerPage(toolkit::Panel& page, app::MainActions& actions, app::AppContext& context,
              DetailsView& details, ObjectInfo& info);

  toolkit::CheckListBox lbMain;
  toolkit::GroupBox gbActions;
  toolkit::Button btScan;
  toolkit::Button btCheckAll;
  toolkit::Button btUnCheckAll;
  toolkit::Button btDeleteSelected;
  toolkit::PopupMenu pmScan;

 private:
  void btScanClick();
  void btCheckAllClick();
  void btUnCheckAllClick();
  void lbMainMouseUp(toolkit::MouseButton button, int x, int y);
  bool lbMainKeyPress(wchar_t character);

  void AskWhereToGo();
  // Enables the two object actions and shows the current item's details.
  void ShowCurrentObject();
  void SetObjectActionsEnabled(bool enabled);

  app::MainActions& actions_;
  app::AppContext& context_;
  DetailsView& details_;
  ObjectInfo& info_;
};

}  // namespace qb::scanner
