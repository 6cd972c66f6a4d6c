#include "toolkit/link_label.h"

#include "toolkit/application.h"

namespace qb::toolkit {

LinkLabel::LinkLabel(Parent parent, int id, DesignRect rect, std::string text, FontSpec font)
    // A static control sends clicks and sees the mouse only with SS_NOTIFY.
    : Label(parent, id, rect, std::move(text), SS_NOTIFY, std::move(font)) {}

void LinkLabel::OnCommand(WORD code) {
  if (code == STN_CLICKED && on_click) on_click();
}

LRESULT LinkLabel::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETCURSOR:
      if (hand_cursor_ && !form().application().busy()) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      if (!tracking_) {
        // Asks for WM_MOUSELEAVE, once per entry.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
        tracking_ = ::TrackMouseEvent(&track) != 0;
      }
      if (on_mouse_move) on_mouse_move();
      break;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (on_mouse_leave) on_mouse_leave();
      return 0;
    default:
      break;
  }
  return Label::OnMessage(message, wparam, lparam);
}

}  // namespace qb::toolkit
