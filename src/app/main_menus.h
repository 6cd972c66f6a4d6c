#pragma once

#include <vector>

#include "toolkit/menu.h"
#include "ui/main_actions.h"

namespace qb::app {

// The main menu `MainMenu1`.
std::vector<toolkit::MenuEntry> MainMenuEntries(const ui::MainActions& actions);
// The tray icon's menu `pmTrayIcon`.
std::vector<toolkit::MenuEntry> TrayMenuEntries(const ui::MainActions& actions);

}  // namespace qb::app
