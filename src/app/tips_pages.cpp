#include "app/tips_pages.h"

#include "ui/control_ids.h"

namespace qb::app {

const char kScanTips[] =
    "1. Click \"Scan\" button.\r\n"
    "\r\n"
    "2. Review and select which objects should be removed. More information about an object you "
    "select will be available on the right side of the screen.\r\n"
    "\r\n"
    "3. Click \"Delete selected\" button.";

const char kIgnoredTips[] =
    "Ignored objects/programs will not be reported as suspicious and will be ignored by Vod "
    "Uridazur. All trusted objects/programs found on your computer will be automatically added "
    "here during the scan.\r\n"
    "\r\n"
    "You can delete previously added objects/programs in this section.";

const char kVodUridazurTips[] =
    "Vod Uridazur will monitor your computer and block any attempts to change registry and "
    "install any new objects/programs. Please run the Scanner first so that Vod Uridazur can note "
    "your computer's configuration. \r\n"
    "\r\n"
    "When it is turned on, the program will minimize to system tray and you can continue to do "
    "your usual job.";

const char kBlockedTips[] =
    "Blocked objects/programs everytime will be deleted and not will be reported.\r\n"
    "You can delete previously added objects/programs in this section.";

TipsPage::TipsPage(toolkit::Panel& page, const char* text)
    : gbTips(page.AsParent(), ids::kTipsGroup, {8, 8, 353, 337}, ": Tips :"),
      lText(page.AsParent(), ids::kTipsText, {20, 32, 329, 301}, text) {}

}  // namespace qb::app
