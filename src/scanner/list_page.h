#pragma once

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
  toolkit::Action& remove_one;
  toolkit::Action& remove_all;
};

// The Ignored and the Blocked action pages: a list and its two actions.
class ListPage {
 public:
  ListPage(toolkit::Panel& page, const ListPageSpec& spec);

  toolkit::ListBox list;
  toolkit::GroupBox gbActions;
  toolkit::Button btRemoveOne;
  toolkit::Button btRemoveAll;
  toolkit::PopupMenu popup;
};

}  // namespace qb::scanner
