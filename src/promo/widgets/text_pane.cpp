#include "promo/widgets/text_pane.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "platform/win32/unique_handle.h"

namespace qb::promo {
namespace {

constexpr wchar_t kTextPaneClass[] = L"QuellbrightTextPane";
constexpr int kMargin = 2;
constexpr std::wstring_view kLineEnd = L"\r\n";

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
  text_.reserve(text_.size() + characters + lines * kLineEnd.size());
  starts_.reserve(starts_.size() + lines);
}

void TextPane::AddLine(std::wstring_view line) {
  starts_.push_back(text_.size());
  text_.append(line);
  text_.append(kLineEnd);
  longest_ = std::max(longest_, line.size());
}

void TextPane::AppendLines(std::wstring_view block, std::size_t width) {
  if (width == 0 || block.empty()) return;
  const std::size_t count = block.size() / width;
  // Both grow geometrically; an exact reservation per batch would copy
  // everything held at every batch.
  std::size_t at = text_.size();
  text_.resize(at + count * (width + kLineEnd.size()));
  wchar_t* out = text_.data() + at;
  for (std::size_t line = 0; line < count; ++line) {
    starts_.push_back(at);
    out = std::copy_n(block.data() + line * width, width, out);
    out = std::copy(kLineEnd.begin(), kLineEnd.end(), out);
    at += width + kLineEnd.size();
  }
  longest_ = std::max(longest_, width);
  // Follows the end, as a memo does when lines are added.
  MoveTo(static_cast<std::ptrdiff_t>(starts_.size()) - VisibleLines(), left_);
  Refresh();
}

void TextPane::Replace(std::wstring_view text) {
  text_.clear();
  starts_.clear();
  longest_ = 0;
  while (!text.empty()) {
    const std::size_t end = text.find(L'\n');
    std::wstring_view line = text.substr(0, end);
    if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    AddLine(line);
    text = end == std::wstring_view::npos ? std::wstring_view() : text.substr(end + 1);
  }
  top_ = 0;
  left_ = 0;
  Refresh();
}

std::wstring_view TextPane::Line(std::size_t index) const {
  const std::size_t end = index + 1 < starts_.size() ? starts_[index + 1] : text_.size();
  return std::wstring_view(text_).substr(starts_[index], end - starts_[index] - kLineEnd.size());
}

void TextPane::MeasureFont() {
  HDC dc = ::GetDC(hwnd());
  HGDIOBJ old = ::SelectObject(dc, font_ ? font_ : ::GetStockObject(ANSI_FIXED_FONT));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, old);
  ::ReleaseDC(hwnd(), dc);
  line_height_ = std::max<int>(1, metrics.tmHeight);
  char_width_ = std::max<int>(1, metrics.tmAveCharWidth);
}

int TextPane::VisibleLines() const {
  RECT client;
  ::GetClientRect(hwnd(), &client);
  return std::max(1, static_cast<int>(client.bottom) / line_height_);
}

int TextPane::ContentWidth() const {
  return static_cast<int>(longest_) * char_width_ + 2 * kMargin;
}

void TextPane::ScrollTo(std::ptrdiff_t top, int left) {
  if (MoveTo(top, left)) Refresh();
}

bool TextPane::MoveTo(std::ptrdiff_t top, int left) {
  const std::ptrdiff_t last_top =
      std::max<std::ptrdiff_t>(0, static_cast<std::ptrdiff_t>(starts_.size()) - VisibleLines());
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
  // Both bars always show, greyed while there is nothing to scroll.
  const std::array<int, 3> vertical{starts_.empty() ? 0 : static_cast<int>(starts_.size() - 1),
                                    VisibleLines(), static_cast<int>(top_)};
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
  HGDIOBJ old_font = ::SelectObject(dc, font_ ? font_ : ::GetStockObject(ANSI_FIXED_FONT));
  ::SetTextColor(dc, text_colour_);
  ::SetBkColor(dc, background_);
  const std::size_t first = top_ + static_cast<std::size_t>(std::max(0L, area.top)) / line_height_;
  int y = static_cast<int>(first - top_) * line_height_;
  for (std::size_t i = first; i < starts_.size() && y < area.bottom; ++i, y += line_height_) {
    const std::wstring_view line = Line(i);
    const RECT row{client.left, y, client.right, y + line_height_};
    ::ExtTextOutW(dc, kMargin - left_, y, ETO_OPAQUE | ETO_CLIPPED, &row, line.data(),
                  static_cast<UINT>(line.size()), nullptr);
  }
  if (y < area.bottom) {
    const RECT below{client.left, y, client.right, area.bottom};
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &below, nullptr, 0, nullptr);
  }
  ::SelectObject(dc, old_font);
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
      ScrollTo(control ? static_cast<std::ptrdiff_t>(starts_.size()) : top, ContentWidth());
      return true;
    case 'C':
      if (!control) return false;
      CopyAll();
      return true;
    default:
      return false;
  }
}

void TextPane::CopyAll() const {
  if (!::OpenClipboard(hwnd())) return;
  ::EmptyClipboard();
  const std::size_t bytes = (text_.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* target = ::GlobalLock(memory)) {
      std::copy(text_.c_str(), text_.c_str() + text_.size() + 1, static_cast<wchar_t*>(target));
      ::GlobalUnlock(memory);
      // The clipboard owns the memory once it has taken it.
      if (!::SetClipboardData(CF_UNICODETEXT, memory)) ::GlobalFree(memory);
    } else {
      ::GlobalFree(memory);
    }
  }
  ::CloseClipboard();
}

LRESULT TextPane::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
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
    case WM_SETTEXT:
      Replace(lparam ? std::wstring_view(reinterpret_cast<const wchar_t*>(lparam))
                     : std::wstring_view());
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_.size());
    case WM_GETTEXT: {
      if (wparam == 0) return 0;
      const std::size_t copied = std::min<std::size_t>(text_.size(), wparam - 1);
      auto* target = reinterpret_cast<wchar_t*>(lparam);
      std::copy_n(text_.data(), copied, target);
      target[copied] = L'\0';
      return static_cast<LRESULT>(copied);
    }
    case EM_GETLINECOUNT:
      // As an edit control counts: the empty line after the last line end
      // too.
      return static_cast<LRESULT>(starts_.size() + 1);
    case EM_GETLINE: {
      // The buffer's first word holds its size in characters; no zero is
      // added.
      auto* target = reinterpret_cast<wchar_t*>(lparam);
      const std::size_t room = *reinterpret_cast<const WORD*>(lparam);
      if (wparam >= starts_.size()) return 0;
      const std::wstring_view line = Line(wparam);
      const std::size_t copied = std::min(room, line.size());
      std::copy_n(line.data(), copied, target);
      return static_cast<LRESULT>(copied);
    }
    case WM_SIZE:
      MoveTo(static_cast<std::ptrdiff_t>(top_), left_);
      Refresh();
      break;
    case WM_ERASEBKGND:
      return TRUE;  // every paint covers its area
    case WM_PAINT: {
      repaint_asked_ = false;
      if (bars_stale_) UpdateScrollBars();
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(hwnd(), &paint);
      Paint(dc, paint.rcPaint);
      ::EndPaint(hwnd(), &paint);
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
    case WM_MOUSEWHEEL: {
      wheel_rest_ += GET_WHEEL_DELTA_WPARAM(wparam);
      const int notches = wheel_rest_ / WHEEL_DELTA;
      wheel_rest_ -= notches * WHEEL_DELTA;
      ScrollTo(static_cast<std::ptrdiff_t>(top_) - 3 * notches, left_);
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetFocus();
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (OnKey(wparam)) return 0;
      break;
    default:
      break;
  }
  return toolkit::Control::OnMessage(message, wparam, lparam);
}

}  // namespace qb::promo
