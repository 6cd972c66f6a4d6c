#pragma once

#include <functional>

#include "toolkit/form.h"
#include "toolkit/tray_icon.h"

namespace qb::app {

// Where the main window lives: on screen, or in the tray. A window hidden
// without a tray icon could never be reached again, so without one it stays
// (minimised) on the taskbar until the shell offers the icon, and goes to
// the tray then.
class TrayPresence {
 public:
  TrayPresence(toolkit::Form& window, toolkit::TrayIcon& tray) : window_(window), tray_(tray) {}

  // Nothing is shown or hidden before the window is built.
  void SetBuilt() { built_ = true; }
  bool built() const { return built_; }
  // The window starts in the tray; without an icon, minimised on the
  // taskbar instead, without taking the focus.
  void StartHidden();
  // Shows the window, restored if it was minimised.
  void Show();
  // Hides it to the tray; without an icon it stays reachable on the
  // taskbar, minimised when `minimise`.
  void Hide(bool minimise);
  void Toggle();
  // The window was minimised: `hint` runs and the window goes to the tray
  // when there is an icon; true when it went.
  bool Minimized(const std::function<void()>& hint);
  // The shell took the icon again: a hide that waited for it happens now.
  void IconReadded();

 private:
  toolkit::Form& window_;
  toolkit::TrayIcon& tray_;
  bool built_ = false;
  // A hide that waits for the shell to take the tray icon.
  bool hide_deferred_ = false;
};

}  // namespace qb::app
