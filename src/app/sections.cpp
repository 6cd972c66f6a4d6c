#include "app/sections.h"

#include "scanner/page_names.h"

namespace qb::app {
namespace {

struct SectionLayout {
  const char* tips_page;
  const char* action_page;
  bool detail_buttons;
  bool ignored_pair;
  bool blocked_pair;
  bool scanner_actions;
  bool start_stop;
};

using namespace scanner;

constexpr SectionLayout kLayouts[] = {
    {kScanTipsPage, kScannerPage, true, false, false, true, false},
    {kIgnoredTipsPage, kIgnoredPage, false, true, false, false, false},
    {kVodUridazurTipsPage, kVodUridazurPage, false, false, false, false, true},
    {kBlockedTipsPage, kBlockedPage, false, false, true, false, false},
};

}  // namespace

void SectionSwitcher::Switch(Section section) {
  const SectionLayout& layout = kLayouts[static_cast<int>(section)];
  ui::MainActions& actions = parts_.actions;

  parts_.tips.SetPage(layout.tips_page);
  parts_.pages.SetPage(layout.action_page);
  parts_.details.SetButtonsVisible(layout.detail_buttons);

  actions.aRemoveIgnored.SetEnabled(layout.ignored_pair);
  actions.aRemoveIgnoredAll.SetEnabled(layout.ignored_pair);
  actions.aRemoveBlocked.SetEnabled(layout.blocked_pair);
  actions.aRemoveAllBlocked.SetEnabled(layout.blocked_pair);
  for (toolkit::Action* action :
       {&actions.aScan, &actions.aSelectAll, &actions.aDeselectAll, &actions.aDeleteSelected}) {
    action->SetEnabled(layout.scanner_actions);
  }
  actions.aStartStopGuardian.SetEnabled(layout.start_stop);

  toolkit::SectionButton& down = *parts_.buttons[static_cast<int>(section)];
  if (!down.IsDown()) {
    for (toolkit::SectionButton* button : parts_.buttons) button->SetDown(button == &down);
  }
  current_ = section;

  if (section == Section::kIgnored && parts_.refill_ignored) parts_.refill_ignored();
  if (section == Section::kBlocked && parts_.refill_blocked) parts_.refill_blocked();
}

}  // namespace qb::app
