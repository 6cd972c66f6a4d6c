#include "promo/promo_timer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/memory_registry.h"
#include "promo/date_time.h"

namespace qb::promo {
namespace {

using platform::RegistryRoot;
constexpr auto kUser = RegistryRoot::CurrentUser;

// The timer's tick over an in-memory registry and a fixed clock, with
// windows that record what was asked of them.
class PromoTimerTest : public ::testing::Test {
 protected:
  void SetUp() override { FirstRunDaysAgo(0); }

  void FirstRunDaysAgo(int days) {
    const double first_run = ToDateTime(clock.Now()) - days;
    platform::RegistryValue value{platform::value_type::kBinary, std::vector<std::uint8_t>(8)};
    std::memcpy(value.data.data(), &first_run, sizeof first_run);
    registry.SetValue(kUser, kPromoKey, "Xpos", value);
    registry.SetString(kUser, kPromoKey, "Version", kVersionStamp);
  }
  void SetFlag(const char* text) { registry.SetString(kUser, kPromoKey, "DemoShown", text); }
  std::string Flag() const {
    const auto value = registry.GetValue(kUser, kPromoKey, "DemoShown");
    return value ? platform::StringValueText(*value) : "(absent)";
  }
  void Tick() { timer.Timer2Timer(); }

  platform::MemoryRegistry registry;
  platform::FixedClock clock{{2004, 6, 10, 12, 0, 0, 0}};
  PromoSchedule schedule{registry, clock};
  std::vector<std::string> events;
  bool promotion_exists = true;
  bool demo_exists = true;
  PromoTimer timer{schedule,
                   {[this] { return promotion_exists; }, [this] { events.push_back("promotion"); },
                    [this] { return demo_exists; }, [this] { events.push_back("demo"); },
                    [this] { events.push_back("timer off"); },
                    [this](const std::string& message) { events.push_back("error: " + message); }}};
};

struct DayCase {
  int days;
  const char* flag_before;
  std::vector<std::string> events;
  const char* flag_after;
};

TEST_F(PromoTimerTest, TheDayTableForBothStatesOfTheFlag) {
  const std::vector<DayCase> cases{
      {-1, "(absent)", {}, "(absent)"},
      {-16, "1", {}, "1"},
      {-30, "0", {}, "0"},
      {0, "(absent)", {}, "(absent)"},
      {0, "1", {}, "1"},
      {30, "0", {"promotion", "timer off"}, "1"},
      {60, "(absent)", {"promotion", "timer off"}, "1"},
      {90, "1", {}, "1"},
      {15, "0", {"demo", "timer off"}, "1"},
      {45, "(absent)", {"demo", "timer off"}, "1"},
      {75, "1", {}, "1"},
      {16, "1", {}, "0"},
      {1, "0", {}, "0"},
      {29, "(absent)", {}, "0"},
  };
  for (const DayCase& day : cases) {
    registry.DeleteTree(kUser, kPromoKey);
    FirstRunDaysAgo(day.days);
    if (std::strcmp(day.flag_before, "(absent)") != 0) SetFlag(day.flag_before);
    events.clear();
    PromoTimer fresh(schedule, {[] { return true; }, [this] { events.push_back("promotion"); },
                                [] { return true; }, [this] { events.push_back("demo"); },
                                [this] { events.push_back("timer off"); }, nullptr});
    fresh.Timer2Timer();
    EXPECT_EQ(events, day.events) << "day " << day.days << ", flag " << day.flag_before;
    EXPECT_EQ(Flag(), day.flag_after) << "day " << day.days << ", flag " << day.flag_before;
  }
}

TEST_F(PromoTimerTest, WithoutThePromotionWindowDayThirtyShowsTheDemo) {
  FirstRunDaysAgo(30);
  promotion_exists = false;
  Tick();
  EXPECT_EQ(events, (std::vector<std::string>{"demo", "timer off"}));
  EXPECT_EQ(Flag(), "1");
}

TEST_F(PromoTimerTest, WithoutEitherWindowAMultipleOfFifteenLeavesTheFlag) {
  FirstRunDaysAgo(45);
  promotion_exists = demo_exists = false;
  Tick();
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(Flag(), "(absent)");
}

TEST_F(PromoTimerTest, ARunChecksFiveTimesAtMostAndThenStopsTheTimer) {
  FirstRunDaysAgo(3);
  for (int tick = 1; tick <= 4; ++tick) {
    Tick();
    EXPECT_TRUE(events.empty()) << tick;
    EXPECT_EQ(timer.PromoTicksLeft(), 5 - tick);
  }
  // The day changes to 15 during the fifth tick's second: still checked.
  clock.Set({2004, 6, 22, 12, 0, 0, 0});
  Tick();
  EXPECT_EQ(events, (std::vector<std::string>{"demo", "timer off", "timer off"}));
  // A tick that arrives anyway never shows a second window.
  events.clear();
  registry.DeleteTree(kUser, kPromoKey);
  FirstRunDaysAgo(30);
  Tick();
  EXPECT_TRUE(events.empty());
}

TEST_F(PromoTimerTest, AWindowShownEndsTheChecksOfTheRun) {
  FirstRunDaysAgo(30);
  Tick();
  ASSERT_EQ(events, (std::vector<std::string>{"promotion", "timer off"}));
  EXPECT_EQ(timer.TicksToCome(), 0);
  // Closed, and the flag cleared by hand: this run shows nothing more.
  SetFlag("0");
  Tick();
  EXPECT_EQ(events.size(), 2u);
  EXPECT_EQ(Flag(), "0");
}

TEST_F(PromoTimerTest, AFailingTickIsReportedOnceAndTheTimerStillStops) {
  FirstRunDaysAgo(15);
  registry.SetDword(kUser, kPromoKey, "DemoShown", 1);
  for (int tick = 0; tick < 5; ++tick) Tick();
  EXPECT_EQ(events,
            (std::vector<std::string>{"error: Invalid data type for 'DemoShown'", "timer off"}));
  EXPECT_EQ(timer.PromoTicksLeft(), 0);
}

// A fault met at the start (the launch count, the banner rule's read of it)
// is shown once, and the ticks that meet it again show nothing more.
TEST_F(PromoTimerTest, AFailureReportedAtStartIsNotReportedAgain) {
  registry.SetString(kUser, kPromoKey, "Xpos", "not a date");
  timer.ReportFailure("Invalid data type for 'Ypos'");
  timer.ReportFailure("Invalid data type for 'Ypos'");
  for (int tick = 0; tick < 5; ++tick) Tick();
  EXPECT_EQ(events, (std::vector<std::string>{"error: Invalid data type for 'Ypos'", "timer off"}));
}

// The error box runs messages, so further ticks can arrive while it is up.
TEST_F(PromoTimerTest, TicksDuringTheErrorBoxReportNothingMore) {
  registry.SetString(kUser, kPromoKey, "Xpos", "not a date");
  int reports = 0;
  PromoTimer* self = nullptr;
  PromoTimer nested(schedule, {[] { return true; }, [] {}, [] { return true; }, [] {},
                               [this] { events.push_back("timer off"); },
                               [&](const std::string&) {
                                 ++reports;
                                 for (int i = 0; i < 4; ++i) self->Timer2Timer();
                               }});
  self = &nested;
  nested.Timer2Timer();
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(nested.PromoTicksLeft(), 0);
}

}  // namespace
}  // namespace qb::promo
