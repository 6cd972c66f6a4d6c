#include "platform/win32/window_event_hook.h"

#include <algorithm>
#include <vector>

namespace qb::win32 {
namespace {

// The hooks of this thread: the system names the hook, not its owner.
std::vector<WindowEventHook*>& Hooks() {
  thread_local std::vector<WindowEventHook*> hooks;
  return hooks;
}

}  // namespace

WindowEventHook::WindowEventHook(std::function<void(platform::WindowId)> on_window)
    : on_window_(std::move(on_window)) {
  Hooks().push_back(this);
  // Made, destroyed, shown: one range; destroyed is passed over below.
  // Wine 8 announces only the making, often before the window is shown.
  hook_.reset(::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, nullptr, Callback, 0, 0,
                                WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
}

WindowEventHook::~WindowEventHook() {
  hook_.reset();
  std::vector<WindowEventHook*>& hooks = Hooks();
  hooks.erase(std::remove(hooks.begin(), hooks.end(), this), hooks.end());
}

void CALLBACK WindowEventHook::Callback(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                        LONG child, DWORD, DWORD) {
  for (WindowEventHook* owner : Hooks()) {
    if (owner->hook_.get() == hook) {
      owner->Announce(event, window, object, child);
      return;
    }
  }
}

void WindowEventHook::Announce(DWORD event, HWND window, LONG object, LONG child) {
  ++events_;
  if (event == EVENT_OBJECT_DESTROY || object != OBJID_WINDOW || child != CHILDID_SELF || !window ||
      ::GetAncestor(window, GA_PARENT) != ::GetDesktopWindow()) {
    return;
  }
  try {
    on_window_(reinterpret_cast<platform::WindowId>(window));
  } catch (...) {
    // Nothing may leave a callback of the system; the tick still watches.
  }
}

}  // namespace qb::win32
