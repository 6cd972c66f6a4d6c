#pragma once

#include <functional>

#include "toolkit/click_tracker.h"
#include "toolkit/control.h"

namespace qb::toolkit {

// A control of the toolkit's own that paints all of itself: no background
// is erased first, and printing it into a device context draws the same.
class PaintedControl : public Control {
 protected:
  using Control::Control;

  virtual void Paint(HDC dc) = 0;
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

// A painted control that a click of the left button acts on, with the hand
// cursor when asked for (never while the program is busy).
class ClickableControl : public PaintedControl {
 public:
  void SetHandCursor(bool hand) { hand_cursor_ = hand; }

  std::function<void()> on_click;

 protected:
  using PaintedControl::PaintedControl;

  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  bool hand_cursor_ = false;
  ClickTracker clicks_;
};

}  // namespace qb::toolkit
