#pragma once

#include <string>

#include "toolkit/controls.h"
#include "toolkit/panel.h"

namespace qb::app {

// The texts of the tips pages, exactly as the user reads them.
extern const char kScanTips[];
extern const char kIgnoredTips[];
extern const char kVodUridazurTips[];
extern const char kBlockedTips[];

// A tips page: one word-wrapped text in a ": Tips :" group.
class TipsPage {
 public:
  TipsPage(toolkit::Panel& page, const char* text);

  toolkit::GroupBox gbTips;
  toolkit::Label lText;
};

}  // namespace qb::app
