#pragma once

#include <windows.h>

#include <functional>

#include "platform/win32/unique_handle.h"
#include "platform/window_list.h"

namespace qb::win32 {

// Tells of every top-level window that another program makes or shows, as
// the system announces it (out of context: the events are queued to the
// thread that made the hook, and `on_window` runs there while that thread
// takes its messages, in a modal loop too). It must only pass the news on.
class WindowEventHook {
 public:
  explicit WindowEventHook(std::function<void(platform::WindowId)> on_window);
  ~WindowEventHook();
  WindowEventHook(const WindowEventHook&) = delete;
  WindowEventHook& operator=(const WindowEventHook&) = delete;

  bool hooked() const { return static_cast<bool>(hook_); }
  // How many events the system delivered, top-level windows or not.
  long events() const { return events_; }

 private:
  static void CALLBACK Callback(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                LONG child, DWORD thread, DWORD time);
  void Announce(DWORD event, HWND window, LONG object, LONG child);

  std::function<void(platform::WindowId)> on_window_;
  UniqueWinEventHook hook_;
  long events_ = 0;
};

}  // namespace qb::win32
