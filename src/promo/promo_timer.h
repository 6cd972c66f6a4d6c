#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "promo/promo_schedule.h"

namespace qb::promo {

// What the promotion tick acts on; all of it belongs to the windows.
struct PromoTimerHooks {
  std::function<bool()> promotion_exists;
  std::function<void()> show_promotion;
  std::function<bool()> demo_exists;
  std::function<void()> show_demo;
  // Stops `Timer2`.
  std::function<void()> disable_timer;
  // Shows a failure in the application's default error box.
  std::function<void(const std::string& message)> report_error;
};

// The schedule check of `Timer2`: during the first five ticks of a run, on
// the 30th, 60th, ... day after the first run it shows the promotion
// window, on the 15th, 45th, ... the demo window, each at most once per such
// day; any other day clears the flag.
//
// A tick whose check fails (a registry value of the wrong type, a stamp
// that cannot be written) reports it and still counts down, so the timer
// still stops after the fifth tick; only the first failure of a run is
// reported, since the next tick would meet the same one. Once the timer is
// stopped, a tick that still arrives does nothing.
class PromoTimer {
 public:
  static constexpr std::int32_t kTicks = 5;

  PromoTimer(PromoSchedule& schedule, PromoTimerHooks hooks);

  void Timer2Timer();
  std::int32_t PromoTicksLeft() const { return ticks_left_; }
  // The ticks that may still check the schedule: none once the timer has
  // stopped, early or not.
  std::int32_t TicksToCome() const { return stopped_ ? 0 : ticks_left_; }
  // The launch count at this start failed and was reported: the ticks,
  // which would meet the same fault, report nothing more.
  void FailureReportedAtStart() { failure_reported_ = true; }
  // A fault of the schedule met outside the ticks (the banner rule's read
  // of the launch count): reported unless one was reported already.
  void ReportFailure(const std::string& message);

 private:
  void CheckSchedule();
  void StopTimer();

  PromoSchedule& schedule_;
  PromoTimerHooks hooks_;
  std::int32_t ticks_left_ = kTicks;
  bool failure_reported_ = false;
  bool stopped_ = false;
};

}  // namespace qb::promo
