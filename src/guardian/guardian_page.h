#pragma once

#include "app/main_actions.h"
#include "toolkit/controls.h"
#include "toolkit/panel.h"

namespace qb::guardian {

// The Vod Uridazur action page: its state in large letters and its actions.
class GuardianPage {
 public:
  GuardianPage(toolkit::Panel& page, app::MainActions& actions);

  toolkit::Label lCaption;
  toolkit::Label lTimerState;
  toolkit::GroupBox gbActions;
  toolkit::Button btStartStopGuardian;
  toolkit::CheckBox CheckBox1;
};

}  // namespace qb::guardian
