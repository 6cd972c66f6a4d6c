#pragma once

#include <string_view>

#include "toolkit/controls.h"
#include "toolkit/panel.h"
#include "ui/main_actions.h"

namespace qb::guardian {

// The Vod Uridazur action page: its state in large letters and its actions.
class GuardianPage {
 public:
  GuardianPage(toolkit::Panel& page, ui::MainActions& actions);

  // Sets `lTimerState`, sized to its text and centred under `lCaption`; the
  // page is repainted under the old and the new text, since the label is
  // transparent and would leave the old letters behind.
  void SetTimerState(std::string_view text);

  toolkit::Label lCaption;
  toolkit::Label lTimerState;
  toolkit::GroupBox gbActions;
  toolkit::Button btStartStopGuardian;
  toolkit::CheckBox CheckBox1;

 private:
  // The width of `text` in the label's font, at 96 dpi.
  int DesignTextWidth(std::string_view text) const;

  toolkit::Panel& page_;
};

}  // namespace qb::guardian
