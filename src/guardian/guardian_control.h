#pragma once

#include <functional>
#include <string>

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
};

// Vod Uridazur: the switch on and off with its captions, tray image and
// notice; the watch timer's tick; the minimise-to-tray hint. The guard is on
// exactly while `Timer1` is enabled, or while a tick runs.
class GuardianControl {
 public:
  explicit GuardianControl(GuardianParts parts);

  // `CurrentCLSID`, which the alert dialog shows.
  const scanner::RegisteredObject& current_object() const { return cycle_.current_object(); }
  bool running() const { return parts_.Timer1.enabled() || in_tick_; }
  // The ticks that have run to their end, for tests that must know.
  int ticks_done() const { return ticks_done_; }

  void aStartStopGuardianExecute();
  void aEnablePopUpBlockerExecute();
  void Timer1Timer();
  void CoolTrayIcon1MinimizeToTray();

 private:
  void SwitchOn();
  void SwitchOff();
  void NotifySwitchedOn();
  void TellStuck(const scanner::RemovalFailure& failure);
  void TellDeleteReport(const scanner::RemovalReport& report);

  GuardianParts parts_;
  WatchCycle cycle_;
  bool in_tick_ = false;
  int ticks_done_ = 0;
};

// The tray's balloons exist on the NT family from version 5 on.
bool TrayHasBalloons();

}  // namespace qb::guardian
