#include "guardian/guardian_page.h"

#include "guardian/state_label.h"
#include "platform/win32/device_context.h"
#include "platform/win32/wide.h"
#include "toolkit/dpi.h"

namespace qb::guardian {
namespace {

toolkit::FontSpec LargeFont() { return toolkit::FontSpec{L"Courier New", 16}; }

RECT ParentRectOf(HWND window) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

GuardianPage::GuardianPage(toolkit::Panel& page, ui::MainActions& actions)
    : lCaption(page.AsParent(), ids::kLCaption, {56, 72, 201, 25}, "Vod Uridazur", SS_CENTER,
               LargeFont()),
      lTimerState(page.AsParent(), ids::kLTimerState, {56, 104, 201, 25}, "is off", SS_CENTER,
                  LargeFont()),
      gbActions(page.AsParent(), ids::kGuardianActionsGroup, {8, 208, 297, 89}, ": Actions :"),
      btStartStopGuardian(page.AsParent(), ids::kBtStartStopGuardian, {24, 236, 105, 41}, "&Start"),
      CheckBox1(page.AsParent(), ids::kCheckBox1, {144, 248, 153, 17}, {}),
      page_(page) {
  lCaption.SetTransparent(true);
  lTimerState.SetTransparent(true);
  btStartStopGuardian.BindAction(actions.aStartStopGuardian, toolkit::CaptionSource::kOwn);
  CheckBox1.BindAction(actions.aEnablePopUpBlocker);
}

int GuardianPage::DesignTextWidth(std::string_view text) const {
  const std::wstring wide = win32::Widen(text);
  const win32::WindowDc dc(lTimerState.hwnd());
  if (!dc) return lTimerState.design_rect().width;
  auto font = reinterpret_cast<HFONT>(::SendMessageW(lTimerState.hwnd(), WM_GETFONT, 0, 0));
  const win32::SelectedObject font_selected(dc.get(), font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  return ::MulDiv(size.cx, toolkit::kDesignDpi, static_cast<int>(lTimerState.form().dpi()));
}

void GuardianPage::SetTimerState(std::string_view text) {
  const RECT old_rect = ParentRectOf(lTimerState.hwnd());
  const toolkit::DesignRect caption = lCaption.design_rect();
  toolkit::DesignRect rect = lTimerState.design_rect();
  rect.width = DesignTextWidth(text);
  rect.left = CenteredLeft(caption.left, caption.width, rect.width);
  lTimerState.SetText(text);
  lTimerState.SetDesignRect(rect);
  RECT dirty = ParentRectOf(lTimerState.hwnd());
  ::UnionRect(&dirty, &dirty, &old_rect);
  ::RedrawWindow(page_.hwnd(), &dirty, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace qb::guardian
