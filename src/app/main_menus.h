#pragma once

#include <vector>

#include "app/main_actions.h"
#include "toolkit/menu.h"

namespace qb::app {

// The main menu `MainMenu1`.
std::vector<toolkit::MenuEntry> MainMenuEntries(const MainActions& actions);
// The tray icon's menu `pmTrayIcon`.
std::vector<toolkit::MenuEntry> TrayMenuEntries(const MainActions& actions);

}  // namespace qb::app
