#pragma once

#include <functional>

#include "platform/win32/unique_handle.h"
#include "toolkit/click_tracker.h"
#include "toolkit/control.h"

namespace qb::toolkit {

// A picture: its bitmap drawn unscaled from the top-left corner and cut off
// where the control ends; the rest of the control shows the background
// colour. A click with the left button raises `on_click`.
class Picture : public Control {
 public:
  Picture(Parent parent, int id, DesignRect rect, COLORREF background);

  void SetBitmap(win32::UniqueBitmap bitmap);
  bool HasBitmap() const { return static_cast<bool>(bitmap_); }
  void SetHandCursor(bool hand) { hand_cursor_ = hand; }

  std::function<void()> on_click;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc);

  win32::UniqueBitmap bitmap_;
  SIZE bitmap_size_{};
  COLORREF background_;
  bool hand_cursor_ = false;
  ClickTracker clicks_;
};

}  // namespace qb::toolkit
