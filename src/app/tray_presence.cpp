#include "app/tray_presence.h"

namespace qb::app {

void TrayPresence::StartHidden() {
  if (tray_.added()) return;
  ::ShowWindow(window_.hwnd(), SW_SHOWMINNOACTIVE);
  hide_deferred_ = true;
}

void TrayPresence::Show() {
  if (!built_) return;
  hide_deferred_ = false;
  if (::IsIconic(window_.hwnd())) ::ShowWindow(window_.hwnd(), SW_RESTORE);
  window_.Show();
}

void TrayPresence::Hide(bool minimise) {
  if (!built_) return;
  if (tray_.added()) {
    window_.Hide();
    return;
  }
  hide_deferred_ = true;
  if (minimise) ::ShowWindow(window_.hwnd(), SW_MINIMIZE);
}

void TrayPresence::Toggle() {
  if (window_.IsVisible()) {
    Hide(true);
  } else {
    Show();
  }
}

bool TrayPresence::Minimized(const std::function<void()>& hint) {
  if (!tray_.added()) {
    hide_deferred_ = true;
    return false;
  }
  hint();
  window_.Hide();
  return true;
}

void TrayPresence::IconReadded() {
  if (hide_deferred_ && tray_.added()) {
    hide_deferred_ = false;
    window_.Hide();
  }
}

}  // namespace qb::app
