#include "toolkit/control.h"

#include <windowsx.h>

#include "platform/error.h"
#include "platform/win32/wide.h"
#include "toolkit/application.h"
#include "toolkit/menu.h"

namespace qb::toolkit {

Control::Control(Parent parent, const ControlSpec& spec)
    : form_(parent.form), id_(spec.id), rect_(spec.rect), font_(spec.font) {
  HWND window =
      ::CreateWindowExW(spec.ex_style, spec.class_name, win32::Widen(spec.text).c_str(),
                        spec.style | WS_CHILD | WS_VISIBLE, form_.Scale(rect_.left),
                        form_.Scale(rect_.top), form_.Scale(rect_.width), form_.Scale(rect_.height),
                        parent.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                        form_.application().instance(), nullptr);
  if (!window) throw Error("Cannot create a window of class " + win32::Narrow(spec.class_name));
  Attach(window);
  ::SendMessageW(window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(form_.FontFor(font_.value_or(form_.font()))), FALSE);
  form_.AddControl(*this);
}

Control::~Control() { form_.RemoveControl(*this); }

void Control::SetText(std::string_view text) {
  ::SetWindowTextW(hwnd(), win32::Widen(text).c_str());
}

std::string Control::Text() const {
  const int length = ::GetWindowTextLengthW(hwnd());
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(hwnd(), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied));
  return win32::Narrow(text);
}

void Control::SetEnabled(bool enabled) { ::EnableWindow(hwnd(), enabled); }

bool Control::IsEnabled() const { return ::IsWindowEnabled(hwnd()) != 0; }

void Control::SetVisible(bool visible) { ::ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE); }

bool Control::IsVisible() const { return (::GetWindowLongW(hwnd(), GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetFocus() { ::SetFocus(hwnd()); }

void Control::SetFont(const FontSpec& font) {
  font_ = font;
  ::SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(form_.FontFor(font)), TRUE);
}

void Control::SetColors(std::optional<COLORREF> background, std::optional<COLORREF> text) {
  background_ = background;
  text_color_ = text;
  background_brush_.reset(background ? ::CreateSolidBrush(*background) : nullptr);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void Control::SetDesignRect(const DesignRect& rect) {
  rect_ = rect;
  ApplyLayout();
}

void Control::ApplyLayout() {
  ::SetWindowPos(hwnd(), nullptr, form_.Scale(rect_.left), form_.Scale(rect_.top),
                 form_.Scale(rect_.width), form_.Scale(rect_.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(hwnd(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(form_.FontFor(font_.value_or(form_.font()))), TRUE);
  ApplyOwnDpi();
}

std::optional<LRESULT> Control::OnColor(HDC dc) {
  if (!background_ && !text_color_) return std::nullopt;
  if (text_color_) ::SetTextColor(dc, *text_color_);
  if (!background_) return std::nullopt;
  ::SetBkColor(dc, *background_);
  return reinterpret_cast<LRESULT>(background_brush_.get());
}

void Control::ShowPopupMenu(LPARAM position) {
  POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  if (point.x == -1 && point.y == -1) {  // from the keyboard: at the control
    RECT rect;
    ::GetWindowRect(hwnd(), &rect);
    point = POINT{rect.left + 4, rect.top + 4};
  }
  popup_menu_->Show(form_, point);
}

LRESULT Control::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CONTEXTMENU:
      if (popup_menu_) {
        ShowPopupMenu(lparam);
        return 0;
      }
      break;
    case WM_CHAR:
      if (on_key_press && on_key_press(static_cast<wchar_t>(wparam))) return 0;
      break;
    case WM_GETDLGCODE:
      // A control that handles Enter itself must get it past the dialog
      // navigation, which would otherwise turn it into a default-button press.
      if (on_key_press && lparam) {
        const auto* key = reinterpret_cast<const MSG*>(lparam);
        if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
          return Default(message, wparam, lparam) | DLGC_WANTMESSAGE;
        }
      }
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const LRESULT result = Default(message, wparam, lparam);
      if (on_mouse_up) {
        const MouseButton button = message == WM_LBUTTONUP   ? MouseButton::kLeft
                                   : message == WM_RBUTTONUP ? MouseButton::kRight
                                                             : MouseButton::kMiddle;
        on_mouse_up(button, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      }
      return result;
    }
    default:
      break;
  }
  return Default(message, wparam, lparam);
}

}  // namespace qb::toolkit
