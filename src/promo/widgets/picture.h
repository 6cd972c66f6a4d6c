#pragma once

#include <functional>

#include "platform/win32/unique_handle.h"
#include "toolkit/painted_control.h"

namespace qb::promo {

// A picture: its bitmap drawn unscaled from the top-left corner and cut off
// where the control ends; the rest of the control shows the background
// colour. A click with the left button raises `on_click`.
class Picture : public toolkit::ClickableControl {
 public:
  Picture(toolkit::Parent parent, int id, toolkit::DesignRect rect, COLORREF background);

  void SetBitmap(win32::UniqueBitmap bitmap);
  bool HasBitmap() const { return static_cast<bool>(bitmap_); }

 protected:
  void Paint(HDC dc) override;

 private:
  win32::UniqueBitmap bitmap_;
  SIZE bitmap_size_{};
  COLORREF background_;
};

}  // namespace qb::promo
