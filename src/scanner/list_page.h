#pragma once

#include "lists/list_file.h"
#include "scanner/details_view.h"
#include "scanner/object_info.h"
#include "toolkit/action.h"
#include "toolkit/controls.h"
#include "toolkit/menu.h"
#include "toolkit/panel.h"

namespace qb::scanner {

// What tells the Ignored page from the Blocked page.
struct ListPageSpec {
  int list_id;
  int group_id;
  int remove_one_id;
  int remove_all_id;
  toolkit::Action& remove_one;  // aRemoveIgnored, aRemoveBlocked
  toolkit::Action& remove_all;  // aRemoveIgnoredAll, aRemoveAllBlocked
  lists::ListFile& list;        // the ignored or the blocked list
};

// The Ignored and the Blocked action pages: a list of the entries of exactly
// 36 characters, which the user can shorten, and the details of the entry
// selected. The handlers serve lbIgnored and lbBlocked alike (remove one:
// btRemoveIgnoredClick, btRemoveBlockedClick; remove all:
// btRemoveIgnoredAlllick, btRemoveAllBlockedClick; mouse and Enter).
class ListPage {
 public:
  ListPage(toolkit::Panel& page, const ListPageSpec& spec, DetailsView& details, ObjectInfo& info);

  // Refills the list box from the list; the list itself is not changed.
  void Fill();

  toolkit::ListBox list;
  toolkit::GroupBox gbActions;
  toolkit::Button btRemoveOne;
  toolkit::Button btRemoveAll;
  toolkit::PopupMenu popup;

 private:
  void RemoveOneClick();
  void RemoveAllClick();
  void ListMouseUp(int x, int y);
  bool ListKeyPress(wchar_t character);
  // The list becomes the list box's entries, in their order, and is saved.
  void WriteBack();
  void ShowCurrentEntry();
  HWND owner() const { return list.form().hwnd(); }

  lists::ListFile& entries_;
  DetailsView& details_;
  ObjectInfo& info_;
};

}  // namespace qb::scanner
