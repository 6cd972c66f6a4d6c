#include "promo/promo_timer.h"

#include <exception>

namespace qb::promo {

PromoTimer::PromoTimer(PromoSchedule& schedule, PromoTimerHooks hooks)
    : schedule_(schedule), hooks_(std::move(hooks)) {}

void PromoTimer::Timer2Timer() {
  if (stopped_) return;
  try {
    CheckSchedule();
  } catch (const std::exception& error) {
    ReportFailure(error.what());
  }
  if (--ticks_left_ <= 0) StopTimer();
}

void PromoTimer::ReportFailure(const std::string& message) {
  if (failure_reported_) return;
  // Set first: the error box runs messages, and with them further ticks.
  failure_reported_ = true;
  hooks_.report_error(message);
}

void PromoTimer::StopTimer() {
  stopped_ = true;
  hooks_.disable_timer();
}

void PromoTimer::CheckSchedule() {
  // Used as a signed 32-bit count, as a day count always fits.
  const auto days = static_cast<std::int32_t>(schedule_.GetDaysSinceFirstRun());
  if (!schedule_.IsDemoShown() && days > 0 && days % 30 == 0 && hooks_.promotion_exists()) {
    hooks_.show_promotion();
    StopTimer();
    schedule_.SetDemoShown(true);
  } else if (!schedule_.IsDemoShown() && days > 0 && days % 15 == 0 && hooks_.demo_exists()) {
    hooks_.show_demo();
    StopTimer();
    schedule_.SetDemoShown(true);
  } else if (days >= 0 && days % 30 != 0 && days % 15 != 0) {
    schedule_.SetDemoShown(false);
  }
}

}  // namespace qb::promo
