#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/control.h"

namespace qb::promo {

// A read-only pane of many lines in a fixed-pitch font, with both scroll
// bars and no word wrap. Adding lines costs only their own length, however
// much the pane holds, and a paint draws only the visible lines. (An edit
// control lays its whole text out again on every change: under Wine, 2 MB
// of dump took it seconds.)
//
// The window text is every line followed by CR LF, as a memo keeps it, so
// other programs read the pane with WM_GETTEXT, or line by line with
// EM_GETLINECOUNT and EM_GETLINE; WM_SETTEXT replaces the lines. The keys
// and the wheel scroll it; Ctrl+C copies the whole text.
class TextPane : public toolkit::Control {
 public:
  TextPane(toolkit::Parent parent, int id, toolkit::DesignRect rect, toolkit::FontSpec font,
           COLORREF background);

  void Clear();
  // Makes room for so many more characters and lines, when the caller
  // knows how many will come.
  void Reserve(std::size_t characters, std::size_t lines);
  // Adds the lines of `block`, each `width` characters long, and scrolls
  // to the last of them.
  void AppendLines(std::wstring_view block, std::size_t width);
  std::size_t LineCount() const { return starts_.size(); }
  const std::wstring& text() const { return text_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Replace(std::wstring_view text);
  void AddLine(std::wstring_view line);
  std::wstring_view Line(std::size_t index) const;
  void Paint(HDC dc, const RECT& area);
  void MeasureFont();
  int VisibleLines() const;
  int ContentWidth() const;
  // Scrolls and shows the change.
  void ScrollTo(std::ptrdiff_t top, int left);
  // Scrolls without showing it yet; true when the position changed.
  bool MoveTo(std::ptrdiff_t top, int left);
  // Shows the lines and the scroll bars as they are now, at the next paint.
  void Refresh();
  void UpdateScrollBars();
  void OnScroll(int bar, WORD request);
  bool OnKey(WPARAM key);
  void CopyAll() const;

  std::wstring text_;
  std::vector<std::size_t> starts_;
  std::size_t longest_ = 0;
  std::size_t top_ = 0;
  int left_ = 0;
  HFONT font_ = nullptr;
  int line_height_ = 13;
  int char_width_ = 7;
  COLORREF background_;
  COLORREF text_colour_;
  int wheel_rest_ = 0;
  bool bars_stale_ = false;
  // What the bars show: range end, page and position; -1 before the first.
  std::array<int, 3> shown_vertical_{-1, -1, -1};
  std::array<int, 3> shown_horizontal_{-1, -1, -1};
  bool repaint_asked_ = false;
};

}  // namespace qb::promo
