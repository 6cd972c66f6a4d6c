#include "toolkit/menu.h"

#include "platform/win32/wide.h"
#include "toolkit/action.h"
#include "toolkit/form.h"

namespace qb::toolkit {
namespace {

void AppendEntries(HMENU menu, const std::vector<MenuEntry>& entries) {
  UINT position = 0;
  for (const MenuEntry& entry : entries) {
    MENUITEMINFOW item{sizeof item};
    const std::wstring caption = win32::Widen(entry.caption);
    switch (entry.kind) {
      case MenuEntry::Kind::kSeparator:
        item.fMask = MIIM_FTYPE;
        item.fType = MFT_SEPARATOR;
        break;
      case MenuEntry::Kind::kSubmenu: {
        HMENU submenu = ::CreatePopupMenu();
        AppendEntries(submenu, entry.children);
        item.fMask = MIIM_STRING | MIIM_SUBMENU | MIIM_ID;
        item.hSubMenu = submenu;
        break;
      }
      case MenuEntry::Kind::kItem:
        item.fMask = MIIM_STRING | MIIM_ID;
        break;
    }
    item.wID = static_cast<UINT>(entry.id);
    item.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    ::InsertMenuItemW(menu, position++, TRUE, &item);
  }
}

}  // namespace

MenuEntry MenuItem(int id, std::string caption) {
  return MenuEntry{MenuEntry::Kind::kItem, std::move(caption), id, {}};
}

MenuEntry MenuItem(const Action& action) { return MenuItem(action.id(), action.caption()); }

MenuEntry MenuSubmenu(std::string caption, std::vector<MenuEntry> children, int id) {
  return MenuEntry{MenuEntry::Kind::kSubmenu, std::move(caption), id, std::move(children)};
}

MenuEntry MenuSeparator() { return MenuEntry{MenuEntry::Kind::kSeparator, {}, 0, {}}; }

win32::UniqueMenu BuildMenuBar(const std::vector<MenuEntry>& entries) {
  win32::UniqueMenu menu(::CreateMenu());
  AppendEntries(menu.get(), entries);
  return menu;
}

PopupMenu::PopupMenu(const std::vector<MenuEntry>& entries) : menu_(::CreatePopupMenu()) {
  AppendEntries(menu_.get(), entries);
}

void PopupMenu::Show(Form& owner, POINT screen_point) {
  ::TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen_point.x, screen_point.y, 0,
                   owner.hwnd(), nullptr);
}

}  // namespace qb::toolkit
