#include "settings/option_choices.h"

namespace qb::settings {

OptionChoices ChoicesFrom(const Settings& s) {
  return {s.MakeBackup,  s.StartMinimized, s.AutoStart,          s.StartWW,
          s.SetHomePage, s.HomePage,       s.EnablePopUpBlocker, s.CloseNoMaximize};
}

void CopyChoices(const OptionChoices& c, Settings& s) {
  s.MakeBackup = c.MakeBackup;
  s.StartMinimized = c.StartMinimized;
  s.AutoStart = c.AutoStart;
  s.StartWW = c.StartWW;
  s.SetHomePage = c.SetHomePage;
  s.HomePage = c.HomePage;
  s.EnablePopUpBlocker = c.EnablePopUpBlocker;
  s.CloseNoMaximize = c.CloseNoMaximize;
}

}  // namespace qb::settings
