#include "guardian/guardian_control.h"

#include "platform/win32/os_version.h"
#include "registry/ini_store.h"
#include "scanner/removal_report.h"
#include "toolkit/application.h"
#include "toolkit/message_box.h"

namespace qb::guardian {
namespace {

constexpr char kProgramName[] = "Quellbright";
constexpr int kBalloonSeconds = 10;

}  // namespace

bool TrayHasBalloons() { return win32::IsNtFrom(5); }

GuardianControl::GuardianControl(GuardianParts parts)
    : parts_(std::move(parts)),
      cycle_(parts_.services,
             {parts_.ask, [this](const scanner::RemovalFailure& failure) { TellStuck(failure); },
              [this](const scanner::RemovalReport& report) { TellDeleteReport(report); }}),
      events_(parts_.main, parts_.services) {}

void GuardianControl::aStartStopGuardianExecute() {
  // During a tick or an event's work (an alert waits for the user) the guard
  // is on, whatever the timer says: a command now means stop, once the
  // answer is carried out; no other work can start meanwhile.
  if (events_.working()) {
    cycle_.RequestStop();
  } else if (parts_.Timer1.enabled()) {
    SwitchOff();
  } else {
    SwitchOn();
  }
}

void GuardianControl::SwitchOn() {
  ui::MainActions& a = parts_.actions;
  a.aStartStopGuardian.SetCaption("&Stop");
  for (toolkit::Action* action :
       {&a.aScanner, &a.aIgnoredObjects, &a.aBlockedObjects, &a.aRemoveObject, &a.aIgnoreObject}) {
    action->SetEnabled(false);
  }
  a.aEnablePopUpBlocker.SetEnabled(true);
  parts_.page.SetTimerState("is active");
  parts_.page.btStartStopGuardian.SetText("&Stop");
  parts_.hide_main();
  if (!parts_.no_hint) NotifySwitchedOn();
  parts_.tray.SetImage(1);
  parts_.Timer1.SetEnabled(true);
  UpdateEvents();
}

void GuardianControl::NotifySwitchedOn() {
  toolkit::TrayIcon& tray = parts_.tray;
  if (TrayHasBalloons()) {
    tray.ShowBalloon(kProgramName, "Vod Uridazur is now active.", kBalloonSeconds);
    tray.SetHint(kProgramName);
    return;
  }
  tray.SetCycling(true);
  toolkit::ShowMessageBox(parts_.main.hwnd(),
                          "Vod Uridazur is now active. You can restore\r\n"
                          "the program by clicking on the system tray icon.",
                          ": Vod Uridazur is active :", MB_OK | MB_ICONINFORMATION);
  tray.SetCycling(false);
}

void GuardianControl::SwitchOff() {
  ui::MainActions& a = parts_.actions;
  parts_.Timer1.SetEnabled(false);
  UpdateEvents();
  parts_.tray.HideBalloon();
  parts_.tray.SetImage(0);
  a.aStartStopGuardian.SetCaption("&Start");
  parts_.page.btStartStopGuardian.SetText("&Start");
  for (toolkit::Action* action : {&a.aScanner, &a.aIgnoredObjects, &a.aBlockedObjects}) {
    action->SetEnabled(true);
  }
  a.aEnablePopUpBlocker.SetEnabled(false);
  parts_.show_main();
  parts_.page.SetTimerState("is off");
}

void GuardianControl::aEnablePopUpBlockerExecute() {
  settings::Settings& settings = parts_.services.settings;
  settings.EnablePopUpBlocker = parts_.actions.aEnablePopUpBlocker.checked();
  registry::IniStore store(parts_.services.registry, platform::RegistryRoot::CurrentUser,
                           settings::kStoreKey);
  UpdateEvents();
  store.WriteBool(settings::kSection, "EnablePopUpBlocker", settings.EnablePopUpBlocker);
}

void GuardianControl::Timer1Timer() {
  if (events_.working()) return;
  parts_.Timer1.SetEnabled(false);
  const WorkEnd end = RunWork(WatchScope{});
  if (end == WorkEnd::kFailed) return;
  ++ticks_done_;
  parts_.Timer1.SetEnabled(true);
  if (end == WorkEnd::kStop) {
    SwitchOff();
    parts_.show_main();
    return;
  }
  // The options may have changed what is to be watched.
  UpdateEvents();
}

// The events' work runs beside the timer, which goes on: a storm of changes
// must not keep resetting the safety net's period. A tick that comes during
// the work waits for the next period.
void GuardianControl::OnWake() {
  const std::optional<WatchScope> scope = events_.Wake();
  if (!scope || !parts_.Timer1.enabled()) return;
  const WorkEnd end = RunWork(*scope);
  if (end == WorkEnd::kFailed) return;
  ++event_runs_;
  if (end == WorkEnd::kStop) {
    SwitchOff();
    parts_.show_main();
  }
}

GuardianControl::WorkEnd GuardianControl::RunWork(const WatchScope& scope) {
  events_.gate().BeginWork();
  bool stop = false;
  try {
    stop = cycle_.Run(scope);
  } catch (const std::exception& error) {
    // Watching has stopped: say so, and let captions and tray say so too
    // rather than claim a guard that is not there.
    toolkit::ShowErrorBox(error.what());
    events_.gate().EndWork();
    SwitchOff();
    return WorkEnd::kFailed;
  }
  events_.gate().EndWork();
  events_.AfterWork();
  return stop ? WorkEnd::kStop : WorkEnd::kDone;
}

void GuardianControl::TellStuck(const scanner::RemovalFailure& failure) {
  toolkit::TrayIcon& tray = parts_.tray;
  if (tray.added()) {
    tray.ShowBalloon(kProgramName, StuckObjectNotice(failure), kBalloonSeconds);
    tray.SetHint(kProgramName);
    return;
  }
  // Without a tray nobody would see a balloon.
  toolkit::ShowMessageBox(parts_.main.hwnd(), StuckObjectNotice(failure),
                          ": Object(s) not removed! :", MB_OK | MB_ICONWARNING);
}

void GuardianControl::TellDeleteReport(const scanner::RemovalReport& report) {
  scanner::ShowRemovalWarning(parts_.main.hwnd(), report);
}

void GuardianControl::CoolTrayIcon1MinimizeToTray() {
  settings::Settings& settings = parts_.services.settings;
  if (settings.TrayHint) return;
  parts_.tray.ShowBalloon(kProgramName, "You can restore program by clicking the icon",
                          kBalloonSeconds);
  parts_.tray.SetHint(kProgramName);
  settings.TrayHint = true;
  settings::SaveSettings(settings, parts_.services.registry);
}

}  // namespace qb::guardian
