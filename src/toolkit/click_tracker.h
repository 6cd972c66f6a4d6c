#pragma once

#include <windows.h>
#include <windowsx.h>

namespace qb::toolkit {

// Makes clicks of a window of the toolkit's own: a press of the left
// button and its release over the same window.
class ClickTracker {
 public:
  // Give it every message; true when one ended a click.
  bool OnMessage(HWND window, UINT message, LPARAM lparam) {
    switch (message) {
      case WM_LBUTTONDOWN:
        pressed_ = true;
        ::SetCapture(window);
        return false;
      case WM_LBUTTONUP: {
        const bool was_pressed = pressed_;
        pressed_ = false;
        if (::GetCapture() == window) ::ReleaseCapture();
        RECT client;
        ::GetClientRect(window, &client);
        return was_pressed &&
               ::PtInRect(&client, POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      }
      case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lparam) != window) pressed_ = false;
        return false;
      default:
        return false;
    }
  }

 private:
  bool pressed_ = false;
};

}  // namespace qb::toolkit
