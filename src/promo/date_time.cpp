#include "promo/date_time.h"

#include <cmath>

namespace qb::promo {
namespace {

constexpr double kMillisecondsPerDay = 86400000.0;
constexpr double kFirstSaneDay = static_cast<double>(DayNumber(1900, 1, 1));
constexpr double kFirstDayTooLate = static_cast<double>(DayNumber(10000, 1, 1));

static_assert(DayNumber(1899, 12, 30) == 0);
static_assert(DayNumber(2000, 1, 1) == 36526);

}  // namespace

double ToDateTime(const platform::LocalTime& time) {
  const double milliseconds =
      ((time.hour * 60.0 + time.minute) * 60.0 + time.second) * 1000.0 + time.millisecond;
  return static_cast<double>(DayNumber(time.year, time.month, time.day)) +
         milliseconds / kMillisecondsPerDay;
}

bool IsSaneDateTime(double days) {
  return std::isfinite(days) && days >= kFirstSaneDay && days < kFirstDayTooLate;
}

std::int64_t RoundHalfToEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded += 1.0;
  return static_cast<std::int64_t>(rounded);
}

}  // namespace qb::promo
