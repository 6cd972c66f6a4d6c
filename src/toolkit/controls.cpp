#include "toolkit/controls.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/error.h"
#include "platform/win32/device_context.h"
#include "platform/win32/wide.h"

namespace qb::toolkit {
namespace {

ControlSpec Spec(const wchar_t* class_name, DWORD style, int id, DesignRect rect, std::string text,
                 DWORD ex_style = 0, std::optional<FontSpec> font = std::nullopt) {
  ControlSpec spec;
  spec.class_name = class_name;
  spec.style = style;
  spec.ex_style = ex_style;
  spec.id = id;
  spec.rect = rect;
  spec.text = std::move(text);
  spec.font = std::move(font);
  return spec;
}

constexpr int kCheckColumn = 16;  // at 96 dpi

}  // namespace

Button::Button(Parent parent, int id, DesignRect rect, std::string caption, DWORD extra_style)
    : Control(parent, Spec(L"BUTTON", WS_TABSTOP | (extra_style ? extra_style : BS_PUSHBUTTON), id,
                           rect, std::move(caption))) {}

Button::~Button() {
  if (action_) action_->Unbind(*this);
}

void Button::BindAction(Action& action, CaptionSource caption) {
  if (action_) action_->Unbind(*this);
  action_ = &action;
  caption_source_ = caption;
  action.Bind(*this);
}

void Button::SetChecked(bool checked) {
  ::SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Button::IsChecked() const { return ::SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Button::OnCommand(WORD code) {
  if (code != BN_CLICKED) return;
  if (action_) {
    action_->Execute();
  } else if (on_click) {
    on_click();
  }
}

void Button::OnActionChanged(const Action& action) {
  if (caption_source_ == CaptionSource::kAction) SetText(action.caption());
  SetEnabled(action.enabled());
}

SectionButton::SectionButton(Parent parent, int id, DesignRect rect, std::string caption)
    : Button(parent, id, rect, std::move(caption), BS_RADIOBUTTON | BS_PUSHLIKE) {}

CheckBox::CheckBox(Parent parent, int id, DesignRect rect, std::string caption)
    // Not an automatic check box: the program, or the bound action, sets it.
    : Button(parent, id, rect, std::move(caption), BS_CHECKBOX) {
  on_click = [this] { SetChecked(!IsChecked()); };
}

void CheckBox::OnActionChanged(const Action& action) {
  Button::OnActionChanged(action);
  SetChecked(action.checked());
}

Label::Label(Parent parent, int id, DesignRect rect, std::string text, DWORD extra_style,
             std::optional<FontSpec> font)
    : Control(parent, Spec(L"STATIC", SS_NOPREFIX | extra_style, id, rect, std::move(text), 0,
                           std::move(font))) {}

std::optional<LRESULT> Label::OnColor(HDC dc) {
  if (!transparent_) return Control::OnColor(dc);
  Control::OnColor(dc);  // the text colour, if any
  ::SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
}

GroupBox::GroupBox(Parent parent, int id, DesignRect rect, std::string caption)
    : Control(parent, Spec(L"BUTTON", BS_GROUPBOX, id, rect, std::move(caption))) {
  // Beneath the controls it frames, so it never paints over them.
  ::SetWindowPos(hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// A multi-line edit wraps its lines at its width: only a single line
// scrolls sideways.
Edit::Edit(Parent parent, int id, DesignRect rect, DWORD extra_style)
    : Control(parent,
              Spec(L"EDIT",
                   WS_TABSTOP | (extra_style & ES_MULTILINE ? ES_AUTOVSCROLL : ES_AUTOHSCROLL) |
                       extra_style,
                   id, rect, {}, WS_EX_CLIENTEDGE)) {}

ListBox::ListBox(Parent parent, int id, DesignRect rect, DWORD extra_style,
                 std::optional<FontSpec> font)
    : Control(parent,
              Spec(L"LISTBOX",
                   WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | extra_style, id,
                   rect, {}, WS_EX_CLIENTEDGE, std::move(font))) {}

ListBox::Batch::Batch(ListBox& list) : list_(list) {
  if (list_.batch_depth_++ > 0) return;
  // WM_SETREDRAW TRUE makes a window visible (DefWindowProc sets WS_VISIBLE),
  // so a list box hidden on its own is left alone: it draws nothing anyway.
  list_.batch_holds_drawing_ = (::GetWindowLongW(list_.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
  if (list_.batch_holds_drawing_) ::SendMessageW(list_.hwnd(), WM_SETREDRAW, FALSE, 0);
}

ListBox::Batch::~Batch() {
  if (--list_.batch_depth_ > 0 || !list_.batch_holds_drawing_) return;
  // Turning drawing on again sets the scroll bar but repaints no item.
  ::SendMessageW(list_.hwnd(), WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_.hwnd(), nullptr, TRUE);
}

void ListBox::Clear() { ::SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0); }

void ListBox::Fill(const std::vector<std::u16string>& items) {
  const Batch batch(*this);
  Clear();
  std::size_t text_bytes = 0;
  for (const std::u16string& item : items) text_bytes += (item.size() + 1) * sizeof(char16_t);
  ::SendMessageW(hwnd(), LB_INITSTORAGE, items.size(), static_cast<LPARAM>(text_bytes));
  for (const std::u16string& item : items) {
    // The same UTF-16 units the W call takes: handed over as they stand.
    const LRESULT added =
        ::SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (added == LB_ERR || added == LB_ERRSPACE) throw Error("Out of memory");
  }
  ApplyColumns();
}

int ListBox::Add(std::wstring_view text) {
  const std::wstring terminated(text);
  return static_cast<int>(
      ::SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(terminated.c_str())));
}

void ListBox::Delete(int index) { ::SendMessageW(hwnd(), LB_DELETESTRING, index, 0); }

int ListBox::Count() const { return static_cast<int>(::SendMessageW(hwnd(), LB_GETCOUNT, 0, 0)); }

std::wstring ListBox::ItemText(int index) const {
  const LRESULT length = ::SendMessageW(hwnd(), LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      ::SendMessageW(hwnd(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

int ListBox::CurrentIndex() const {
  const LRESULT index = ::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void ListBox::SetCurrentIndex(int index) { ::SendMessageW(hwnd(), LB_SETCURSEL, index, 0); }

int ListBox::ItemAt(int x, int y) const {
  const LRESULT hit = ::SendMessageW(hwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
  const int index = LOWORD(hit);
  if (HIWORD(hit) != 0 || index >= Count()) return -1;
  return index;
}

void ListBox::SetItemHeight(int design_pixels) {
  item_height_ = design_pixels;
  ApplyOwnDpi();
}

void ListBox::OnCommand(WORD code) {
  if (code == LBN_SELCHANGE && on_selection_change) on_selection_change();
}

void ListBox::ApplyOwnDpi() {
  if (item_height_ > 0) ::SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, form().Scale(item_height_));
  ApplyColumns();
}

void ListBox::SetColumns(std::vector<int> starts) {
  columns_ = std::move(starts);
  ApplyColumns();
}

void ListBox::ApplyColumns() {
  if (columns_.empty()) return;
  const win32::WindowDc dc(hwnd());
  const win32::SelectedObject font(
      dc.get(), reinterpret_cast<HFONT>(::SendMessageW(hwnd(), WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc.get(), &metrics);
  // Tab stops go to the list box in quarters of its font's average width,
  // and to the text measure in pixels.
  const int quarter = std::max<int>(1, metrics.tmAveCharWidth);
  std::vector<int> quarters;
  std::vector<int> pixels;
  for (int start : columns_) {
    pixels.push_back(form().Scale(start));
    quarters.push_back(::MulDiv(pixels.back(), 4, quarter));
  }
  ::SendMessageW(hwnd(), LB_SETTABSTOPS, quarters.size(),
                 reinterpret_cast<LPARAM>(quarters.data()));
  int widest = 0;
  for (int i = 0; i < Count(); ++i) {
    const std::wstring text = ItemText(i);
    const DWORD extent =
        ::GetTabbedTextExtentW(dc.get(), text.c_str(), static_cast<int>(text.size()),
                               static_cast<int>(pixels.size()), pixels.data());
    widest = std::max(widest, static_cast<int>(LOWORD(extent)));
  }
  ::SendMessageW(hwnd(), LB_SETHORIZONTALEXTENT, widest + form().Scale(8), 0);
}

CheckListBox::CheckListBox(Parent parent, int id, DesignRect rect, std::optional<FontSpec> font)
    : ListBox(parent, id, rect, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, std::move(font)) {}

bool CheckListBox::Checked(int index) const {
  return ::SendMessageW(hwnd(), LB_GETITEMDATA, index, 0) == 1;
}

void CheckListBox::SetChecked(int index, bool checked) {
  ::SendMessageW(hwnd(), LB_SETITEMDATA, index, checked ? 1 : 0);
  RECT item;
  if (::SendMessageW(hwnd(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR) {
    ::InvalidateRect(hwnd(), &item, FALSE);
  }
}

void CheckListBox::SetAllChecked(bool checked) {
  const Batch batch(*this);
  const int count = Count();
  for (int i = 0; i < count; ++i) ::SendMessageW(hwnd(), LB_SETITEMDATA, i, checked ? 1 : 0);
}

bool CheckListBox::InCheckColumn(int x) const { return x < form().Scale(kCheckColumn); }

void CheckListBox::Toggle(int index) {
  if (index >= 0 && index < Count()) SetChecked(index, !Checked(index));
}

bool CheckListBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return true;
  const int index = static_cast<int>(item.itemID);
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  HBRUSH background = background_brush() ? background_brush() : ::GetSysColorBrush(COLOR_WINDOW);
  RECT box = item.rcItem;
  box.right = box.left + form().Scale(kCheckColumn);
  ::FillRect(item.hDC, &box, background);
  RECT check = box;
  ::InflateRect(&check, -form().Scale(2), -form().Scale(1));
  const int side = std::min(check.right - check.left, check.bottom - check.top);
  check.right = check.left + side;
  check.bottom = check.top + side;
  ::DrawFrameControl(item.hDC, &check, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (Checked(index) ? DFCS_CHECKED : 0));

  RECT text = item.rcItem;
  text.left = box.right;
  ::FillRect(item.hDC, &text, selected ? ::GetSysColorBrush(COLOR_HIGHLIGHT) : background);
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::wstring caption = ItemText(index);
  RECT inset = text;
  inset.left += form().Scale(2);
  ::DrawTextW(item.hDC, caption.c_str(), static_cast<int>(caption.size()), &inset,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &text);
  return true;
}

LRESULT CheckListBox::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = ListBox::OnMessage(message, wparam, lparam);
      const int x = GET_X_LPARAM(lparam);
      if (InCheckColumn(x)) Toggle(ItemAt(x, GET_Y_LPARAM(lparam)));
      return result;
    }
    case WM_CHAR:
      if (wparam == L' ') {
        Toggle(CurrentIndex());
        return 0;
      }
      break;
    default:
      break;
  }
  return ListBox::OnMessage(message, wparam, lparam);
}

}  // namespace qb::toolkit
