#pragma once

#include "lists/list_file.h"
#include "platform/code_page.h"
#include "scanner/details_view.h"
#include "scanner/object_info.h"
#include "toolkit/action.h"
#include "toolkit/controls.h"
#include "toolkit/menu.h"
#include "toolkit/panel.h"

namespace qb::scanner {

// What tells the Ignored page from the Blocked page.
struct ListPageSpec {
  const char* page_name;  // the action page it fills
  int list_id;
  int group_id;
  int remove_one_id;
  int remove_all_id;
  toolkit::Action& remove_one;  // aRemoveIgnored, aRemoveBlocked
  toolkit::Action& remove_all;  // aRemoveIgnoredAll, aRemoveAllBlocked
  lists::ListFile& list;        // the ignored or the blocked list
  const platform::CodePage& code_page;
  platform::RegistryBackend& registry;  // where the entries' objects are registered
};

// The Ignored and the Blocked action pages: a list of the entries of exactly
// 36 characters, which the user can shorten, and the details of the entry
// selected. Entries stay the bytes the file holds; the list box shows them
// through the ANSI code page, and what is written back is the bytes read. The handlers serve
// lbIgnored and lbBlocked alike (remove one: btRemoveIgnoredClick, btRemoveBlockedClick; remove
// all: btRemoveIgnoredAlllick, btRemoveAllBlockedClick; mouse and Enter).
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
  void ListSelectionChange();
  // The list becomes the shown entries, in their order, and is saved.
  void WriteBack();
  void ShowCurrentEntry();
  void ClearDetails();
  HWND owner() const { return list.form().hwnd(); }

  const char* page_name_;
  lists::ListFile& entries_;
  const platform::CodePage& code_page_;
  platform::RegistryBackend& registry_;
  // The entries the list box shows, item for item.
  std::vector<std::string> shown_;
  // The item whose details are shown, -1 for none.
  int detailed_ = -1;
  DetailsView& details_;
  ObjectInfo& info_;
};

}  // namespace qb::scanner
