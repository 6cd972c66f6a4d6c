#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "guardian/popup_watch.h"
#include "guardian/wake_gate.h"
#include "guardian/watch_cycle.h"
#include "platform/win32/key_watcher.h"
#include "platform/win32/window_event_hook.h"
#include "toolkit/form.h"
#include "toolkit/handle_waits.h"
#include "toolkit/timer.h"

namespace qb::guardian {

// The guard's watches while it is on: the Browser Helper Objects key of each
// registry view, the start page's key while the start page is held, and the
// top-level windows that other programs make or show while the pop-up
// blocker is on. A change wakes the window thread with one message through
// the gate; the tick's work and this work never run at once.
class GuardEvents {
 public:
  GuardEvents(toolkit::Form& main, WatchServices services);
  ~GuardEvents();
  GuardEvents(const GuardEvents&) = delete;
  GuardEvents& operator=(const GuardEvents&) = delete;

  // The message that wakes the main window, which hands it to Wake().
  static UINT WakeMessage();

  // Starts the watches the settings ask for, or adjusts them to settings
  // that changed; `on` false stops them all.
  void Update(bool on);

  WakeGate& gate() { return gate_; }
  bool working() const { return gate_.working(); }
  // For the wake-up message: what to look at now; nothing while work runs
  // (it waits for its end) or when nothing changed.
  std::optional<WatchScope> Wake();
  // After any work: browser windows not shown yet are looked at again soon.
  void AfterWork();

  // How often events woke the program: wake-up messages, window events,
  // second looks at windows and the registry watch's served events.
  long wakes() const;

 private:
  void StartKeyWatch(bool start_page);
  void StopKeyWatch();
  void StopWindowHook();
  void WindowAnnounced(platform::WindowId window);
  void LookAgain();

  toolkit::Form& main_;
  WatchServices services_;
  WakeGate gate_;
  PopupWatch new_windows_;
  // Runs while windows wait for another look: a browser window is often
  // shown just after it is made.
  toolkit::Timer lookAgain_;
  std::unique_ptr<win32::KeyWatcher> keys_;
  // Ends before the watcher whose events it waits on.
  toolkit::HandleWait keys_wait_;
  bool keys_hold_start_page_ = false;
  std::unique_ptr<win32::WindowEventHook> windows_hook_;
  // Wake-ups counted by watches that have been stopped since.
  long past_wakes_ = 0;
  long messages_ = 0;
  long second_looks_ = 0;
};

}  // namespace qb::guardian
