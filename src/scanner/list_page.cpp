#include "scanner/list_page.h"

#include "app/ui_constants.h"

namespace qb::scanner {

ListPage::ListPage(toolkit::Panel& page, const ListPageSpec& spec)
    : list(page.AsParent(), spec.list_id, {8, 8, 297, 193}, 0, app::ListFont()),
      gbActions(page.AsParent(), spec.group_id, {8, 208, 297, 89}, ": Actions :"),
      btRemoveOne(page.AsParent(), spec.remove_one_id, {24, 236, 121, 41}, {}),
      btRemoveAll(page.AsParent(), spec.remove_all_id, {160, 236, 121, 41}, {}),
      popup({toolkit::MenuItem(spec.remove_one), toolkit::MenuItem(spec.remove_all)}) {
  list.SetItemHeight(app::kListItemHeight);
  list.SetColors(app::kInfoBackground);
  list.SetPopupMenu(&popup);
  btRemoveOne.BindAction(spec.remove_one);
  btRemoveAll.BindAction(spec.remove_all);
}

}  // namespace qb::scanner
