#include "app/main_menus.h"

#include "ui/control_ids.h"

namespace qb::app {

using toolkit::MenuItem;
using toolkit::MenuSeparator;
using toolkit::MenuSubmenu;

std::vector<toolkit::MenuEntry> MainMenuEntries(const ui::MainActions& a) {
  return {
      MenuSubmenu("&File", {MenuItem(ids::kRestore1, "Restore from backup..."), MenuSeparator(),
                            MenuItem(ids::kExit1, "E&xit")}),
      MenuSubmenu(
          "&Actions",
          {
              MenuSubmenu("Scanner", {MenuItem(a.aScan), MenuItem(a.aSelectAll),
                                      MenuItem(a.aDeselectAll), MenuItem(a.aDeleteSelected)}),
              MenuSubmenu("Ignored objects",
                          {MenuItem(a.aRemoveIgnored), MenuItem(a.aRemoveIgnoredAll)}),
              MenuSubmenu("Blocked objects",
                          {MenuItem(a.aRemoveBlocked), MenuItem(a.aRemoveAllBlocked)}),
              MenuSubmenu("Vod Uridazur", {MenuItem(a.aStartStopGuardian)}),
              MenuSeparator(),
              MenuItem(a.aRemoveObject),
              MenuItem(a.aIgnoreObject),
          }),
      MenuSubmenu("&Tools",
                  {
                      MenuItem(a.aScanner),
                      MenuItem(a.aIgnoredObjects),
                      MenuItem(a.aBlockedObjects.id(), ui::kBlockedObjectsMenuCaption),
                      MenuItem(a.aVodUridazur),
                      MenuSeparator(),
                      MenuItem(ids::kOptions1, "&Options"),
                  }),
      MenuSubmenu("&Help", {MenuItem(ids::kHelp2, "&Help"), MenuItem(ids::kAbout1, "&About")}),
  };
}

std::vector<toolkit::MenuEntry> TrayMenuEntries(const ui::MainActions& a) {
  return {
      MenuSubmenu(a.aVodUridazur.caption(),
                  {MenuItem(a.aStartStopGuardian), MenuItem(a.aEnablePopUpBlocker)},
                  a.aVodUridazur.id()),
      MenuItem(a.aShowHide),
      MenuSeparator(),
      MenuItem(ids::kCloseprogram1, "Close program"),
  };
}

}  // namespace qb::app
