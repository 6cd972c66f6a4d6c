#pragma once

#include <string>

#include "settings/settings.h"

namespace qb::settings {

// What the options dialog shows and the user confirms: the settings it
// edits, in the order they are copied into memory.
struct OptionChoices {
  bool MakeBackup = true;
  bool StartMinimized = true;
  bool AutoStart = true;
  bool StartWW = true;
  bool SetHomePage = false;
  std::string HomePage = product::kDefaultHomePage;
  bool EnablePopUpBlocker = true;
  bool CloseNoMaximize = true;
};

// The choices the settings hold; the defaults are OptionChoices{}.
OptionChoices ChoicesFrom(const Settings& settings);
// Copies confirmed choices into memory. SGConfirm, GotoVodUridazur and
// TrayHint keep their values.
void CopyChoices(const OptionChoices& choices, Settings& settings);

}  // namespace qb::settings
