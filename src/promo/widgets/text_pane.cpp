#include "promo/widgets/text_pane.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <limits>
#include <tuple>

#include "platform/win32/clipboard.h"
#include "platform/win32/device_context.h"
#include "promo/widgets/edit_messages.h"
#include "toolkit/application.h"

namespace qb::promo {
namespace {

constexpr wchar_t kTextPaneClass[] = L"QuellbrightTextPane";
constexpr int kMargin = 2;
// Scrolls while a drag is held beyond an edge.
constexpr UINT_PTR kDragTimer = 1;
constexpr UINT kDragTimerMs = 50;
// What Ctrl+A and Ctrl+C type.
constexpr wchar_t kSelectAllCharacter = 0x01;
constexpr wchar_t kCopyCharacter = 0x03;

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions take UTF-16");

std::wstring_view Wide(std::u16string_view text) {
  return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

toolkit::ControlSpec PaneSpec(int id, toolkit::DesignRect rect, toolkit::FontSpec font) {
  toolkit::RegisterToolkitClass(kTextPaneClass);
  toolkit::ControlSpec spec;
  spec.class_name = kTextPaneClass;
  spec.style = WS_TABSTOP | WS_VSCROLL | WS_HSCROLL;
  spec.ex_style = WS_EX_CLIENTEDGE;
  spec.id = id;
  spec.rect = rect;
  spec.font = std::move(font);
  return spec;
}

}  // namespace

TextPane::TextPane(toolkit::Parent parent, int id, toolkit::DesignRect rect, toolkit::FontSpec font,
                   COLORREF background)
    : toolkit::Control(parent, PaneSpec(id, rect, font)),
      background_(background),
      text_colour_(::GetSysColor(COLOR_WINDOWTEXT)) {
  // The base class set the font before this class could take it.
  SetFont(font);
  UpdateScrollBars();
}

void TextPane::Clear() { Replace({}); }

void TextPane::Reserve(std::size_t characters, std::size_t lines) {
  lines_.Reserve(characters, lines);
}

void TextPane::AppendLines(std::u16string_view block, std::size_t width) {
  if (width == 0 || block.empty()) return;
  lines_.AppendLines(block, width);
  // Follows the end, as a memo does when lines are added; not while a
  // selection is dragged, which would take in whatever scrolled under it.
  if (!dragging_) {
    MoveTo(static_cast<std::ptrdiff_t>(lines_.LineCount()) - VisibleLines(), left_);
  }
  Refresh();
}

void TextPane::Replace(std::u16string_view text) {
  lines_.Replace(text);
  top_ = 0;
  left_ = 0;
  Refresh();
}

HGDIOBJ TextPane::CurrentFont() const { return font_ ? font_ : ::GetStockObject(ANSI_FIXED_FONT); }

void TextPane::MeasureFont() {
  const win32::WindowDc dc(hwnd());
  const win32::SelectedObject font(dc.get(), CurrentFont());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc.get(), &metrics);
  line_height_ = std::max<int>(1, metrics.tmHeight);
  char_width_ = std::max<int>(1, metrics.tmAveCharWidth);
  advances_.assign(advances_.size(), char_width_);
}

int TextPane::VisibleLines() const {
  RECT client;
  ::GetClientRect(hwnd(), &client);
  return std::max(1, static_cast<int>(client.bottom) / line_height_);
}

int TextPane::ContentWidth() const {
  // A line that another program set may be longer than any bar can show.
  const long long width = static_cast<long long>(lines_.LongestLine()) * char_width_ + 2 * kMargin;
  return static_cast<int>(std::min<long long>(width, std::numeric_limits<int>::max() / 2));
}

void TextPane::ScrollTo(std::ptrdiff_t top, int left) {
  if (MoveTo(top, left)) Refresh();
}

bool TextPane::MoveTo(std::ptrdiff_t top, int left) {
  const std::ptrdiff_t last_top =
      std::max<std::ptrdiff_t>(0, static_cast<std::ptrdiff_t>(lines_.LineCount()) - VisibleLines());
  RECT client;
  ::GetClientRect(hwnd(), &client);
  const int last_left = std::max(0, ContentWidth() - static_cast<int>(client.right));
  const auto new_top = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(top, 0, last_top));
  const int new_left = std::clamp(left, 0, last_left);
  if (new_top == top_ && new_left == left_) return false;
  top_ = new_top;
  left_ = new_left;
  return true;
}

void TextPane::Refresh() {
  // The bars are set with the next paint, once however many changes came
  // before it: set at once, each change cost milliseconds under Wine.
  bars_stale_ = true;
  if (repaint_asked_) return;
  repaint_asked_ = true;
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TextPane::UpdateScrollBars() {
  bars_stale_ = false;
  RECT client;
  ::GetClientRect(hwnd(), &client);
  const std::size_t count = lines_.LineCount();
  // Both bars always show, greyed while there is nothing to scroll.
  const std::array<int, 3> vertical{count == 0 ? 0 : static_cast<int>(count - 1), VisibleLines(),
                                    static_cast<int>(top_)};
  const std::array<int, 3> horizontal{ContentWidth() - 1,
                                      std::max(0, static_cast<int>(client.right)), left_};
  for (const auto& [bar, wanted, shown] : {std::tuple{SB_VERT, vertical, &shown_vertical_},
                                           {SB_HORZ, horizontal, &shown_horizontal_}}) {
    // Setting a bar redraws it, which takes a while under Wine.
    if (*shown == wanted) continue;
    *shown = wanted;
    SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL};
    info.nMax = wanted[0];
    info.nPage = static_cast<UINT>(wanted[1]);
    info.nPos = wanted[2];
    ::SetScrollInfo(hwnd(), bar, &info, TRUE);
  }
}

void TextPane::Paint(HDC dc, const RECT& area) {
  RECT client;
  ::GetClientRect(hwnd(), &client);
  const win32::SelectedObject font(dc, CurrentFont());
  const std::size_t first = top_ + static_cast<std::size_t>(std::max(0L, area.top)) / line_height_;
  int y = static_cast<int>(first - top_) * line_height_;
  for (std::size_t i = first; i < lines_.LineCount() && y < area.bottom; ++i, y += line_height_) {
    PaintLine(dc, i, y, client.right);
  }
  if (y < area.bottom) {
    ::SetBkColor(dc, background_);
    const RECT below{client.left, y, client.right, area.bottom};
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &below, nullptr, 0, nullptr);
  }
}

void TextPane::PaintLine(HDC dc, std::size_t index, int y, int right) {
  const std::u16string_view line = lines_.Line(index);
  // Only the columns in sight: a line set by another program may be long.
  const auto first = static_cast<std::size_t>(left_ / char_width_);
  const std::size_t last =
      std::min(line.size(), static_cast<std::size_t>((left_ + right) / char_width_ + 1));
  const std::u16string_view shown =
      first < last ? line.substr(first, last - first) : std::u16string_view();
  if (advances_.size() < shown.size()) advances_.resize(shown.size(), char_width_);
  const auto x_of = [&](std::size_t column) {
    const long long x = kMargin - left_ + static_cast<long long>(column) * char_width_;
    return static_cast<int>(std::clamp<long long>(x, -1, right + 1));
  };
  const auto draw = [&](int from, int to, COLORREF text, COLORREF back) {
    const RECT cell{from, y, to, y + line_height_};
    ::SetTextColor(dc, text);
    ::SetBkColor(dc, back);
    ::ExtTextOutW(dc, x_of(first), y, ETO_OPAQUE | ETO_CLIPPED, &cell, Wide(shown).data(),
                  static_cast<UINT>(shown.size()), advances_.data());
  };
  // The selected part of the line, its line end shown as one cell more.
  const LineStore::Selection& selection = lines_.selection();
  const std::size_t start = lines_.LineStart(index);
  if (selection.empty() || selection.end() <= start || selection.start() > start + line.size()) {
    draw(0, right, text_colour_, background_);
    return;
  }
  const int from = x_of(std::max(selection.start(), start) - start);
  const int to = x_of(std::min(selection.end() - start, line.size() + 1));
  draw(0, from, text_colour_, background_);
  draw(from, to, ::GetSysColor(COLOR_HIGHLIGHTTEXT), ::GetSysColor(COLOR_HIGHLIGHT));
  draw(to, right, text_colour_, background_);
}

void TextPane::OnScroll(int bar, WORD request) {
  if (bars_stale_) UpdateScrollBars();
  SCROLLINFO info{sizeof info, SIF_ALL};
  ::GetScrollInfo(hwnd(), bar, &info);
  const bool vertical = bar == SB_VERT;
  const int line = vertical ? 1 : char_width_;
  const int page = std::max<int>(line, static_cast<int>(info.nPage) - (vertical ? 1 : 0));
  std::ptrdiff_t position = vertical ? static_cast<std::ptrdiff_t>(top_) : left_;
  switch (request) {
    case SB_LINEUP:
      position -= line;
      break;
    case SB_LINEDOWN:
      position += line;
      break;
    case SB_PAGEUP:
      position -= page;
      break;
    case SB_PAGEDOWN:
      position += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = info.nTrackPos;
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = info.nMax;
      break;
    default:
      return;
  }
  if (vertical) {
    ScrollTo(position, left_);
  } else {
    ScrollTo(static_cast<std::ptrdiff_t>(top_), static_cast<int>(position));
  }
}

bool TextPane::OnKey(WPARAM key) {
  const bool control = ::GetKeyState(VK_CONTROL) < 0;
  const auto top = static_cast<std::ptrdiff_t>(top_);
  const std::ptrdiff_t page = std::max(1, VisibleLines() - 1);
  switch (key) {
    case VK_UP:
      ScrollTo(top - 1, left_);
      return true;
    case VK_DOWN:
      ScrollTo(top + 1, left_);
      return true;
    case VK_PRIOR:
      ScrollTo(top - page, left_);
      return true;
    case VK_NEXT:
      ScrollTo(top + page, left_);
      return true;
    case VK_LEFT:
      ScrollTo(top, left_ - char_width_);
      return true;
    case VK_RIGHT:
      ScrollTo(top, left_ + char_width_);
      return true;
    case VK_HOME:
      ScrollTo(control ? 0 : top, 0);
      return true;
    case VK_END:
      ScrollTo(control ? static_cast<std::ptrdiff_t>(lines_.LineCount()) : top, ContentWidth());
      return true;
    default:
      return false;
  }
}

// Ctrl+A and Ctrl+C arrive as the characters they type, however the keys
// were pressed.
LRESULT TextPane::DialogCode(const MSG* key) {
  // To the pane they are characters, never mnemonics of the dialog.
  const bool wanted = key && key->message == WM_CHAR &&
                      (key->wParam == kSelectAllCharacter || key->wParam == kCopyCharacter);
  return DLGC_WANTARROWS | (wanted ? DLGC_WANTMESSAGE : 0);
}

bool TextPane::OnCharacter(wchar_t character) {
  switch (character) {
    case kSelectAllCharacter:
      Select(0, lines_.text().size());
      return true;
    case kCopyCharacter:
      Copy();
      return true;
    default:
      return false;
  }
}

std::size_t TextPane::PositionAt(POINT point) const {
  if (lines_.LineCount() == 0) return 0;
  // Above the top is the line before it, below the last line the last.
  const std::ptrdiff_t row = point.y < 0 ? -1 : point.y / line_height_;
  const auto line = static_cast<std::size_t>(
      std::clamp<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(top_) + row, 0,
                                 static_cast<std::ptrdiff_t>(lines_.LineCount()) - 1));
  const long long offset = static_cast<long long>(point.x) - kMargin + left_;
  const auto column = offset <= 0
                          ? std::size_t{0}
                          : static_cast<std::size_t>((offset + char_width_ / 2) / char_width_);
  return lines_.PositionOf(line, column);
}

void TextPane::Select(std::size_t anchor, std::size_t caret) {
  const LineStore::Selection before = lines_.selection();
  lines_.Select(anchor, caret);
  const LineStore::Selection& after = lines_.selection();
  if (before.empty() && after.empty()) return;
  // What changed lies between the old and the new start, and between the
  // old and the new end.
  InvalidatePositions(std::min(before.start(), after.start()),
                      std::max(before.start(), after.start()));
  InvalidatePositions(std::min(before.end(), after.end()), std::max(before.end(), after.end()));
}

void TextPane::InvalidatePositions(std::size_t from, std::size_t to) {
  if (from == to) return;
  const auto rows = static_cast<std::size_t>(VisibleLines()) + 1;
  const std::size_t first = lines_.LineOf(from);
  const std::size_t last = std::min(lines_.LineOf(to), top_ + rows);
  if (last < top_ || first >= top_ + rows) return;
  RECT client;
  ::GetClientRect(hwnd(), &client);
  const RECT band{0, first <= top_ ? 0 : static_cast<int>(first - top_) * line_height_,
                  client.right, static_cast<int>(last - top_ + 1) * line_height_};
  ::InvalidateRect(hwnd(), &band, FALSE);
}

void TextPane::OnButtonDown(POINT point, bool extend) {
  SetFocus();
  const std::size_t position = PositionAt(point);
  Select(extend ? lines_.selection().anchor : position, position);
  dragging_ = true;
  drag_point_ = point;
  ::SetCapture(hwnd());
}

void TextPane::OnDrag(POINT point) {
  drag_point_ = point;
  Select(lines_.selection().anchor, PositionAt(point));
  RECT client;
  ::GetClientRect(hwnd(), &client);
  const bool beyond = !::PtInRect(&client, point);
  if (beyond == drag_timer_) return;
  // Set once: set again at every move, it would never come.
  drag_timer_ = beyond;
  if (beyond) {
    ::SetTimer(hwnd(), kDragTimer, kDragTimerMs, nullptr);
  } else {
    ::KillTimer(hwnd(), kDragTimer);
  }
}

void TextPane::OnDragTimer() {
  RECT client;
  ::GetClientRect(hwnd(), &client);
  // The further beyond the edge, the faster.
  const auto step = [](LONG at, LONG end, int unit) {
    if (at < 0) return -1 - static_cast<int>(-at / unit);
    if (at >= end) return 1 + static_cast<int>((at - end) / unit);
    return 0;
  };
  ScrollTo(static_cast<std::ptrdiff_t>(top_) + step(drag_point_.y, client.bottom, line_height_),
           left_ + step(drag_point_.x, client.right, char_width_) * char_width_);
  OnDrag(drag_point_);
}

void TextPane::EndDrag() {
  dragging_ = false;
  if (drag_timer_) ::KillTimer(hwnd(), kDragTimer);
  drag_timer_ = false;
  if (::GetCapture() == hwnd()) ::ReleaseCapture();
}

void TextPane::Copy() const {
  win32::ClipboardScope clipboard(hwnd());
  clipboard.SetText(Wide(lines_.CopyText()));
}

std::optional<LRESULT> TextPane::OnMouse(UINT message, WPARAM wparam, LPARAM lparam) {
  const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  switch (message) {
    case WM_LBUTTONDOWN:
      OnButtonDown(point, (wparam & MK_SHIFT) != 0);
      break;
    case WM_MOUSEMOVE:
      // The capture brings the release here, wherever it happens.
      if (!dragging_) break;
      OnDrag(point);
      return 0;
    case WM_LBUTTONUP:
      if (!dragging_) break;
      OnDrag(point);
      EndDrag();
      break;
    case WM_CAPTURECHANGED:
      if (dragging_ && reinterpret_cast<HWND>(lparam) != hwnd()) EndDrag();
      break;
    case WM_TIMER:
      if (wparam != kDragTimer) break;
      if (dragging_) OnDragTimer();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) != HTCLIENT || form().application().busy()) break;
      ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
      return TRUE;
    case WM_MOUSEWHEEL: {
      wheel_rest_ += GET_WHEEL_DELTA_WPARAM(wparam);
      const int notches = wheel_rest_ / WHEEL_DELTA;
      wheel_rest_ -= notches * WHEEL_DELTA;
      ScrollTo(static_cast<std::ptrdiff_t>(top_) - 3 * notches, left_);
      return 0;
    }
    default:
      break;
  }
  return std::nullopt;
}

LRESULT TextPane::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (const auto answer = AnswerEditQuery(lines_, message, wparam, lparam)) return *answer;
  if (const auto answer = OnMouse(message, wparam, lparam)) return *answer;
  switch (message) {
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wparam);
      MeasureFont();
      if (LOWORD(lparam)) {
        Refresh();
      } else {
        UpdateScrollBars();
      }
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<const char16_t*>(lparam);
      Replace(text ? std::u16string_view(text) : std::u16string_view());
      return TRUE;
    }
    case EM_SETSEL: {
      const LineStore::Selection wanted = RequestedSelection(lines_, wparam, lparam);
      Select(wanted.anchor, wanted.caret);
      return 0;
    }
    case WM_COPY:
      Copy();
      return 0;
    case WM_SIZE:
      MoveTo(static_cast<std::ptrdiff_t>(top_), left_);
      Refresh();
      break;
    case WM_ERASEBKGND:
      return TRUE;  // every paint covers its area
    case WM_PAINT: {
      repaint_asked_ = false;
      if (bars_stale_) UpdateScrollBars();
      const win32::PaintScope paint(hwnd());
      Paint(paint.dc(), paint.area());
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      ::GetClientRect(hwnd(), &client);
      Paint(reinterpret_cast<HDC>(wparam), client);
      return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
      OnScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wparam));
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(reinterpret_cast<const MSG*>(lparam));
    case WM_KEYDOWN:
      if (OnKey(wparam)) return 0;
      break;
    case WM_CHAR:
      if (OnCharacter(static_cast<wchar_t>(wparam))) return 0;
      break;
    default:
      break;
  }
  return toolkit::Control::OnMessage(message, wparam, lparam);
}

}  // namespace qb::promo
