#pragma once

#include <cstdint>

#include "platform/clock.h"

// Dates as the promotion values keep them: days since 30 December 1899
// 00:00, the time of day as the fraction (1 January 2000 at noon is 36526.5).
namespace qb::promo {

// The day number of a calendar date (proleptic Gregorian), 0 for
// 30 December 1899.
constexpr std::int64_t DayNumber(int year, int month, int day) {
  const int y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto year_of_era = static_cast<std::int64_t>(y - era * 400);
  const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  // 719468 days from 1 March of year 0 to 1 January 1970, 25569 from
  // 30 December 1899 to then.
  return era * 146097 + day_of_era - 719468 + 25569;
}

double ToDateTime(const platform::LocalTime& time);

// Whether a stored date can be used for day arithmetic: a finite number
// from 1 January 1900 to the end of 31 December 9999. A damaged value (NaN,
// infinity, a number far out) is no date at all.
bool IsSaneDateTime(double days);

// The nearest integer; an exact half goes to the even neighbour (14.5 gives
// 14, 15.5 gives 16). For values well inside the 64-bit range.
std::int64_t RoundHalfToEven(double value);

}  // namespace qb::promo
