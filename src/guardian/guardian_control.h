#pragma once

#include <functional>
#include <string>

#include "guardian/guard_events.h"
#include "guardian/guardian_page.h"
#include "guardian/watch_cycle.h"
#include "platform/window_list.h"
#include "toolkit/form.h"
#include "toolkit/timer.h"
#include "toolkit/tray_icon.h"
#include "ui/main_actions.h"

namespace qb::guardian {

// What the guard acts on; all of it belongs to the main window.
struct GuardianParts {
  toolkit::Form& main;
  ui::MainActions& actions;
  GuardianPage& page;
  toolkit::Timer& Timer1;
  toolkit::TrayIcon& tray;
  WatchServices services;
  // Shows the alert dialog for current_object() and gives its answer.
  std::function<int()> ask;
  // The tray operations that show and hide the main window.
  std::function<void()> show_main;
  std::function<void()> hide_main;
  // Whether the first command-line argument is "NOHINT".
  bool no_hint = false;
  // Whether the guard also reacts to changes as they happen; off only for
  // the benchmark that measures the tick alone.
  bool events = true;
};

// Vod Uridazur: the switch on and off with its captions, tray image and
// notice; the watch timer's tick and the events that do the same work at
// once for what changed; the minimise-to-tray hint. The guard is on exactly
// while `Timer1` is enabled, or while the tick's or an event's work runs.
class GuardianControl {
 public:
  explicit GuardianControl(GuardianParts parts);

  // `CurrentCLSID`, which the alert dialog shows.
  const scanner::RegisteredObject& current_object() const { return cycle_.current_object(); }
  bool running() const { return parts_.Timer1.enabled() || events_.working(); }
  // For tests and the benchmark that must know: the ticks that have run to
  // their end, the events' runs of the work, and how often the events woke
  // the program.
  int ticks_done() const { return ticks_done_; }
  int event_runs() const { return event_runs_; }
  long event_wakes() const { return events_.wakes(); }

  // The message GuardEvents posts to the main window.
  static UINT WakeMessage() { return GuardEvents::WakeMessage(); }
  void OnWake();

  // The options changed the settings: the watches follow them at once.
  void SettingsChanged() { UpdateEvents(); }

  void aStartStopGuardianExecute();
  void aEnablePopUpBlockerExecute();
  void Timer1Timer();
  void CoolTrayIcon1MinimizeToTray();

 private:
  enum class WorkEnd { kDone, kStop, kFailed };
  // The tick's work or an event's; an error switches the guard off.
  WorkEnd RunWork(const WatchScope& scope);
  void UpdateEvents() { events_.Update(parts_.events && running()); }

  void SwitchOn();
  void SwitchOff();
  void NotifySwitchedOn();
  void TellStuck(const scanner::RemovalFailure& failure);
  void TellDeleteReport(const scanner::RemovalReport& report);

  GuardianParts parts_;
  WatchCycle cycle_;
  int ticks_done_ = 0;
  int event_runs_ = 0;
  // Last, so that it ends first: its watches stop before the rest goes.
  GuardEvents events_;
};

// The tray's balloons exist on the NT family from version 5 on.
bool TrayHasBalloons();

}  // namespace qb::guardian
