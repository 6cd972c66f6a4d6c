#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qb::platform {

// A top-level window of the desktop, named by its handle's value.
using WindowId = std::uintptr_t;

// The top-level windows of the desktop, as the pop-up pass sees them. Each
// call asks the system afresh; nothing is cached.
class WindowList {
 public:
  virtual ~WindowList() = default;

  // Every top-level window that is visible, in the system's order.
  virtual std::vector<WindowId> VisibleTopLevelWindows() = 0;
  // Whether the window exists and is visible.
  virtual bool IsVisible(WindowId window) = 0;
  // At most 254 characters of the title; empty when it cannot be read.
  virtual std::string Title(WindowId window) = 0;
  // At most 127 characters of the class name; empty when it cannot be read.
  virtual std::string ClassName(WindowId window) = 0;
  // Whether the window's style has a maximise box; a window that cannot be
  // read counts as having one, so that it is left alone.
  virtual bool HasMaximizeBox(WindowId window) = 0;
  // Asks the window to close (WM_CLOSE, posted; nothing waits for it).
  virtual void PostClose(WindowId window) = 0;
};

}  // namespace qb::platform
