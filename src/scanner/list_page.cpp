#include "scanner/list_page.h"

#include "scanner/confirmation.h"
#include "scanner/helper_objects.h"
#include "scanner/list_entries.h"
#include "scanner/removal_paths.h"
#include "toolkit/message_box.h"
#include "ui/look.h"

namespace qb::scanner {

ListPage::ListPage(toolkit::Panel& page, const ListPageSpec& spec, DetailsView& details,
                   ObjectInfo& info)
    : list(page.AsParent(), spec.list_id, {8, 8, 297, 193}, 0, ui::ListFont()),
      gbActions(page.AsParent(), spec.group_id, {8, 208, 297, 89}, ": Actions :"),
      btRemoveOne(page.AsParent(), spec.remove_one_id, {24, 236, 121, 41}, {}),
      btRemoveAll(page.AsParent(), spec.remove_all_id, {160, 236, 121, 41}, {}),
      popup({toolkit::MenuItem(spec.remove_one), toolkit::MenuItem(spec.remove_all)}),
      page_name_(spec.page_name),
      entries_(spec.list),
      code_page_(spec.code_page),
      registry_(spec.registry),
      details_(details),
      info_(info) {
  ui::SetUpObjectList(list, popup);
  list.on_mouse_up = [this](toolkit::MouseButton, int x, int y) { ListMouseUp(x, y); };
  list.on_key_press = [this](wchar_t character) { return ListKeyPress(character); };
  list.on_selection_change = [this] { ListSelectionChange(); };
  btRemoveOne.BindAction(spec.remove_one);
  btRemoveAll.BindAction(spec.remove_all);
  spec.remove_one.SetHandler([this] { RemoveOneClick(); });
  spec.remove_all.SetHandler([this] { RemoveAllClick(); });
}

void ListPage::Fill() {
  shown_ = ShownEntries(entries_.list().entries());
  std::vector<std::u16string> texts;
  texts.reserve(shown_.size());
  for (const std::string& entry : shown_) texts.push_back(code_page_.Decode(entry));
  list.Fill(texts);
  detailed_ = -1;
}

void ListPage::WriteBack() { entries_.Replace(shown_); }

void ListPage::RemoveOneClick() {
  const int current = list.CurrentIndex();
  if (current < 0) {
    toolkit::ShowMessageBox(owner(), "Please, select at least one\r\nkey to be removed!\r\n",
                            ": Nothing is selected! :", MB_OK | MB_ICONWARNING);
    return;
  }
  list.Delete(current);
  shown_.erase(shown_.begin() + current);
  // The details stay, but no item is theirs any more.
  detailed_ = -1;
  WriteBack();
}

void ListPage::RemoveAllClick() {
  if (list.Count() == 0) {
    toolkit::ShowMessageBox(owner(), "The list is empty!", ": Empty :", MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (a(owner()) == IDNO) return;
  list.Clear();
  shown_.clear();
  detailed_ = -1;
  WriteBack();
}

void ListPage::ShowCurrentEntry() {
  detailed_ = list.CurrentIndex();
  const std::u16string clsid = code_page_.Decode(shown_.at(static_cast<std::size_t>(detailed_)));
  info_.GetInfo(page_name_, list, InBraces(clsid), ViewForDetails(registry_, clsid));
}

void ListPage::ClearDetails() {
  details_.Clear();
  detailed_ = -1;
}

// An arrow key moves the highlight without showing the new entry: the old
// entry's details go. A click's release (which shows the entry) and Enter
// come after this.
void ListPage::ListSelectionChange() {
  if (list.CurrentIndex() != detailed_) ClearDetails();
}

void ListPage::ListMouseUp(int x, int y) {
  if (list.ItemAt(x, y) < 0) {
    ClearDetails();
    list.SetCurrentIndex(-1);
    return;
  }
  // Only a left click makes the clicked item current.
  if (list.CurrentIndex() >= 0) ShowCurrentEntry();
}

bool ListPage::ListKeyPress(wchar_t character) {
  if (character != L'\r') return false;
  if (list.CurrentIndex() >= 0) ShowCurrentEntry();
  return true;
}

}  // namespace qb::scanner
