#pragma once

#include <functional>
#include <string>

#include "platform/win32/unique_handle.h"
#include "toolkit/click_tracker.h"
#include "toolkit/control.h"

namespace qb::toolkit {

// `TRTFLabel`: a label that shows a rich-text (RTF) document, `RichText`,
// fixed when the label is made. A hidden rich-edit control is its renderer:
// at every paint the whole document is laid out in the label's rectangle,
// inset by one pixel at the left and the top, and drawn with the
// format-range message. Where that draws nothing (Wine 8 has it as a
// stub), the hidden control is printed into the label instead, so the text
// shows all the same. Transparent, the label draws only its text over what
// lies beneath; otherwise its background colour fills it first. A click
// with the left button raises `on_click`.
class TRTFLabel : public Control {
 public:
  TRTFLabel(Parent parent, int id, DesignRect rect, std::string rich_text, COLORREF background);
  ~TRTFLabel() override;

  const std::string& RichText() const { return rich_text_; }
  void SetTransparent(bool transparent);
  void SetHandCursor(bool hand) { hand_cursor_ = hand; }
  // Whether the last paint fell back to printing the renderer.
  bool printed_fallback() const { return !format_range_works_; }

  std::function<void()> on_click;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Paint(HDC dc);
  bool FormatInto(HDC dc, const RECT& area);
  void PrintInto(HDC dc, const RECT& area);

  std::string rich_text_;
  COLORREF background_;
  bool transparent_ = false;
  bool hand_cursor_ = false;
  ClickTracker clicks_;
  bool format_range_works_ = true;
  win32::UniqueModule library_;
  win32::UniqueWindow renderer_;
};

}  // namespace qb::toolkit
