#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "promo/widgets/line_store.h"
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
// and the wheel scroll it. A press and drag of the left button selects
// text, Shift+click extends the selection, and dragging beyond an edge
// scrolls; EM_GETSEL and EM_SETSEL read and set the selection as an edit
// control's. Ctrl+A selects everything; Ctrl+C (or WM_COPY) copies the
// selection, or the whole text when nothing is selected.
class TextPane : public toolkit::Control {
 public:
  TextPane(toolkit::Parent parent, int id, toolkit::DesignRect rect, toolkit::FontSpec font,
           COLORREF background);

  void Clear();
  // Makes room for so many more characters and lines, when the caller
  // knows how many will come.
  void Reserve(std::size_t characters, std::size_t lines);
  // Adds the lines of `block`, each `width` characters long, and scrolls
  // to the last of them unless the user is dragging a selection.
  void AppendLines(std::u16string_view block, std::size_t width);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void Replace(std::u16string_view text);
  HGDIOBJ CurrentFont() const;
  void Paint(HDC dc, const RECT& area);
  void PaintLine(HDC dc, std::size_t index, int y, int right);
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
  bool OnCharacter(wchar_t character);
  // The position of the character boundary nearest to a client point.
  std::size_t PositionAt(POINT point) const;
  // Selects and repaints the lines whose selection changed.
  void Select(std::size_t anchor, std::size_t caret);
  void InvalidatePositions(std::size_t from, std::size_t to);
  void OnButtonDown(POINT point, bool extend);
  void OnDrag(POINT point);
  void OnDragTimer();
  void EndDrag();
  void Copy() const;
  // The answer to a mouse message handled whole here; empty otherwise.
  std::optional<LRESULT> OnMouse(UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT DialogCode(const MSG* key);

  LineStore lines_;
  std::size_t top_ = 0;
  int left_ = 0;
  HFONT font_ = nullptr;
  int line_height_ = 13;
  int char_width_ = 7;
  // Every character advances one cell, so that hit tests match the text.
  std::vector<INT> advances_;
  COLORREF background_;
  COLORREF text_colour_;
  int wheel_rest_ = 0;
  bool dragging_ = false;
  bool drag_timer_ = false;
  POINT drag_point_{};
  bool bars_stale_ = false;
  // What the bars show: range end, page and position; -1 before the first.
  std::array<int, 3> shown_vertical_{-1, -1, -1};
  std::array<int, 3> shown_horizontal_{-1, -1, -1};
  bool repaint_asked_ = false;
};

}  // namespace qb::promo
