#include "guardian/guardian_page.h"

namespace qb::guardian {
namespace {

toolkit::FontSpec LargeFont() { return toolkit::FontSpec{L"Courier New", 16}; }

}  // namespace

GuardianPage::GuardianPage(toolkit::Panel& page, app::MainActions& actions)
    : lCaption(page.AsParent(), ids::kLCaption, {56, 72, 201, 25}, "Vod Uridazur", SS_CENTER,
               LargeFont()),
      lTimerState(page.AsParent(), ids::kLTimerState, {56, 104, 201, 25}, "is off", SS_CENTER,
                  LargeFont()),
      gbActions(page.AsParent(), ids::kGuardianActionsGroup, {8, 208, 297, 89}, ": Actions :"),
      btStartStopGuardian(page.AsParent(), ids::kBtStartStopGuardian, {24, 236, 105, 41}, "&Start"),
      CheckBox1(page.AsParent(), ids::kCheckBox1, {144, 248, 153, 17}, {}) {
  lCaption.SetTransparent(true);
  lTimerState.SetTransparent(true);
  btStartStopGuardian.BindAction(actions.aStartStopGuardian, toolkit::CaptionSource::kOwn);
  CheckBox1.BindAction(actions.aEnablePopUpBlocker);
}

}  // namespace qb::guardian
