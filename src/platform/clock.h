#pragma once

namespace qb::platform {

// A local date and time, as the user's clock shows it.
struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

// The one source of "now", so tests can set any moment.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(const LocalTime& now) : now_(now) {}
  LocalTime Now() override { return now_; }
  void Set(const LocalTime& now) { now_ = now; }

 private:
  LocalTime now_;
};

}  // namespace qb::platform
