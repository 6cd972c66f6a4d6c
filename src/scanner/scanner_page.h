#pragma once

#include "scanner/details_view.h"
#include "scanner/helper_objects.h"
#include "scanner/object_info.h"
#include "scanner/scanner_services.h"
#include "toolkit/controls.h"
#include "toolkit/menu.h"
#include "toolkit/panel.h"
#include "ui/main_actions.h"

namespace qb::scanner {

// The Scanner action page: the list of suspicious objects, the scan and the
// selection of an object.
class ScannerPage {
 public:
  ScannerPage(toolkit::Panel& page, ui::MainActions& actions, const ScannerServices& services,
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
  void btDeleteSelectedClick();
  void btRemoveObjectClick();
  void btIgnoreObjectClick();
  void btUnCheckAllClick();
  void lbMainMouseUp(toolkit::MouseButton button, int x, int y);
  bool lbMainKeyPress(wchar_t character);
  void lbMainSelectionChange();

  void AskWhereToGo();
  // Backs the objects up when the settings ask for it, blocks them, tells
  // the user how it went and scans again.
  void RemoveObjects(const std::vector<std::u16string>& clsids, const char* done_caption,
                     const char* done_text);
  // The current item's object, its CLSID as the registry gave it.
  const RegisteredObject& CurrentObject() const;
  const std::u16string& CurrentClsid() const;
  HWND owner() const { return lbMain.form().hwnd(); }
  // Enables the two object actions and shows the current item's details.
  void ShowCurrentObject();
  // Empties the details and disables the two object actions.
  void ClearObject();
  void SetObjectActionsEnabled(bool enabled);

  ui::MainActions& actions_;
  ScannerServices services_;
  DetailsView& details_;
  ObjectInfo& info_;
  // The objects the list shows, item for item, their CLSIDs exactly as the
  // registry's key names gave them: a list box item ends at a NUL, these do
  // not.
  std::vector<RegisteredObject> found_;
  // The item whose details are shown, -1 for none: the details and the two
  // object actions belong to it alone.
  int detailed_ = -1;
};

}  // namespace qb::scanner
