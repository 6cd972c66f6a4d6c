#pragma once

#include <cstdint>

#include "toolkit/painted_control.h"

namespace qb::promo {

// `TGauge`: a horizontal progress bar, black on white, that shows the whole
// percentage done as text. It repaints only when that percentage changes,
// so setting the progress very often costs next to nothing. The percentage
// ("42%") is also the window's text, for tests and screen readers.
class TGauge : public toolkit::PaintedControl {
 public:
  TGauge(toolkit::Parent parent, int id, toolkit::DesignRect rect);

  // A maximum below the minimum counts as equal to it.
  void SetRange(std::int64_t minimum, std::int64_t maximum);
  // Clamped to the range.
  void SetProgress(std::int64_t progress);
  std::int64_t progress() const { return progress_; }
  // (progress - minimum) * 100 / (maximum - minimum), truncated; 0 when
  // the maximum equals the minimum.
  int percent() const { return percent_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc) override;

 private:
  void Update();

  std::int64_t minimum_ = 0;
  std::int64_t maximum_ = 100;
  std::int64_t progress_ = 0;
  int percent_ = -1;
  HFONT font_ = nullptr;
};

}  // namespace qb::promo
