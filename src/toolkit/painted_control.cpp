#include "toolkit/painted_control.h"

#include "platform/win32/device_context.h"

#include "toolkit/application.h"
#include "toolkit/form.h"

namespace qb::toolkit {

LRESULT PaintedControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT: {
      const win32::PaintScope paint(hwnd());
      Paint(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam));
      return 0;
    default:
      break;
  }
  return Control::OnMessage(message, wparam, lparam);
}

LRESULT ClickableControl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (clicks_.OnMessage(hwnd(), message, lparam) && on_click) on_click();
  if (message == WM_SETCURSOR && hand_cursor_ && !form().application().busy()) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
  }
  return PaintedControl::OnMessage(message, wparam, lparam);
}

}  // namespace qb::toolkit
