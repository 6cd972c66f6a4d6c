#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace qb::toolkit {

class Action;
class Form;

// Menus described as data: items carry the command id they send, which is
// the action's id for items bound to an action.
struct MenuEntry {
  enum class Kind { kItem, kSubmenu, kSeparator };
  Kind kind = Kind::kItem;
  std::string caption;
  int id = 0;
  std::vector<MenuEntry> children;
};

MenuEntry MenuItem(int id, std::string caption);
MenuEntry MenuItem(const Action& action);
// A submenu; an id lets an action's state reach the submenu's own item.
MenuEntry MenuSubmenu(std::string caption, std::vector<MenuEntry> children, int id = 0);
MenuEntry MenuSeparator();

win32::UniqueMenu BuildMenuBar(const std::vector<MenuEntry>& entries);

// A pop-up menu, opened at a screen point; its commands go to the form.
class PopupMenu {
 public:
  explicit PopupMenu(const std::vector<MenuEntry>& entries);

  void Show(Form& owner, POINT screen_point);
  HMENU handle() const { return menu_.get(); }

 private:
  win32::UniqueMenu menu_;
};

}  // namespace qb::toolkit
