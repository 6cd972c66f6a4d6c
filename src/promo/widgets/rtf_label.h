#pragma once

#include <functional>
#include <string>

#include "platform/win32/unique_handle.h"
#include "toolkit/painted_control.h"

namespace qb::promo {

// `TRTFLabel`: a label that shows a rich-text (RTF) document, `RichText`,
// fixed when the label is made. A hidden rich-edit control is its renderer:
// at every paint the whole document is laid out in the label's rectangle,
// inset by one pixel at the left and the top, and drawn with the
// format-range message. Where that draws nothing (Wine 8 has it as a
// stub), the hidden control is printed into the label instead, so the text
// shows all the same. Transparent, the label draws only its text over what
// lies beneath; otherwise its background colour fills it first. A click
// with the left button raises `on_click`.
class TRTFLabel : public toolkit::ClickableControl {
 public:
  TRTFLabel(toolkit::Parent parent, int id, toolkit::DesignRect rect, std::string rich_text,
            COLORREF background);
  ~TRTFLabel() override;

  const std::string& RichText() const { return rich_text_; }
  void SetTransparent(bool transparent);
  // Whether the last paint fell back to printing the renderer.
  bool printed_fallback() const { return !format_range_works_; }

 protected:
  void Paint(HDC dc) override;

 private:
  bool FormatInto(HDC dc, const RECT& area);
  void PrintInto(HDC dc, const RECT& area);

  std::string rich_text_;
  COLORREF background_;
  bool transparent_ = false;
  bool format_range_works_ = true;
  win32::UniqueModule library_;
  win32::UniqueWindow renderer_;
};

}  // namespace qb::promo
