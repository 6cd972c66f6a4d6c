#include "promo/promo_schedule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "error_matchers.h"
#include "platform/memory_registry.h"
#include "promo/date_time.h"
#include "registry/registry_key.h"

namespace qb::promo {
namespace {

using platform::RegistryRoot;
using platform::RegistryValue;
using qb::testing::ErrorOf;
namespace value_type = platform::value_type;

constexpr auto kUser = RegistryRoot::CurrentUser;

RegistryValue DateValue(double days) {
  RegistryValue value{value_type::kBinary, std::vector<std::uint8_t>(sizeof days)};
  std::memcpy(value.data.data(), &days, sizeof days);
  return value;
}

TEST(PromoDates, CountDaysSinceTheEndOf1899WithTheTimeAsTheFraction) {
  EXPECT_EQ(ToDateTime({1899, 12, 30, 0, 0, 0, 0}), 0.0);
  EXPECT_EQ(ToDateTime({2000, 1, 1, 12, 0, 0, 0}), 36526.5);
  EXPECT_EQ(ToDateTime({2004, 3, 1, 6, 0, 0, 0}), 38047.25);
  EXPECT_DOUBLE_EQ(ToDateTime({2004, 3, 1, 0, 0, 0, 1}), 38047 + 1 / 86400000.0);
  EXPECT_EQ(ToDateTime({9999, 12, 31, 0, 0, 0, 0}), 2958465.0);
}

class PromoScheduleTest : public ::testing::Test {
 protected:
  void StoreFirstRun(double days, const char* stamp = kVersionStamp) {
    registry.SetValue(kUser, kPromoKey, "Xpos", DateValue(days));
    registry.SetString(kUser, kPromoKey, "Version", stamp);
  }
  std::optional<RegistryValue> Value(const char* name) const {
    return registry.GetValue(kUser, kPromoKey, name);
  }
  std::optional<double> StoredFirstRun() const {
    const auto value = Value("Xpos");
    if (!value || value->type != value_type::kBinary || value->data.size() != 8) return {};
    double days = 0;
    std::memcpy(&days, value->data.data(), sizeof days);
    return days;
  }
  std::optional<std::uint32_t> StoredDword(const char* name) const {
    const auto value = Value(name);
    if (!value || value->type != value_type::kDword) return {};
    return platform::DwordValueNumber(*value);
  }

  platform::MemoryRegistry registry;
  // 5 March 2004, 09:00.
  platform::FixedClock clock{{2004, 3, 5, 9, 0, 0, 0}};
  PromoSchedule schedule{registry, clock};
  const double today = ToDateTime(clock.Now());
};

TEST_F(PromoScheduleTest, TheFirstStartRecordsTheDateAndACounterOfZero) {
  schedule.CountLaunch();
  EXPECT_EQ(StoredFirstRun(), today);
  EXPECT_EQ(StoredDword("Ypos"), 0u);
  EXPECT_EQ(StoredDword("Count"), 0u);
  ASSERT_TRUE(Value("Version"));
  EXPECT_EQ(platform::StringValueText(*Value("Version")), "Quellbright");
  EXPECT_EQ(registry.ValueNamesOf(kUser, kPromoKey),
            (std::vector<std::u16string>{u"Version", u"Xpos", u"Ypos", u"Count"}));
  EXPECT_TRUE(IsBannerHidden(schedule.GetLaunchCount()));
  EXPECT_EQ(schedule.GetDaysSinceFirstRun(), 0);
}

TEST_F(PromoScheduleTest, LaterStartsCountAndTheSixthShowsTheBanner) {
  schedule.CountLaunch();
  for (int start = 2; start <= 5; ++start) {
    clock.Set({2004, 3, 5 + start, 10, 0, 0, 0});
    schedule.CountLaunch();
    EXPECT_TRUE(IsBannerHidden(schedule.GetLaunchCount())) << "start " << start;
  }
  clock.Set({2004, 3, 20, 10, 0, 0, 0});
  schedule.CountLaunch();
  EXPECT_EQ(schedule.GetLaunchCount(), 5);
  EXPECT_FALSE(IsBannerHidden(schedule.GetLaunchCount()));
  // The first-run date stays.
  EXPECT_EQ(StoredFirstRun(), today);
}

TEST_F(PromoScheduleTest, AMissingOrForeignStampOrAMissingDateStartsAfresh) {
  const auto start_with = [&](auto prepare) {
    registry.DeleteTree(kUser, kPromoKey);
    StoreFirstRun(today - 40);
    registry.SetDword(kUser, kPromoKey, "Ypos", 9);
    registry.SetDword(kUser, kPromoKey, "Count", 3);
    prepare();
    schedule.CountLaunch();
  };
  start_with([&] { registry.SetString(kUser, kPromoKey, "Version", "Other product"); });
  EXPECT_EQ(StoredFirstRun(), today);
  EXPECT_EQ(StoredDword("Ypos"), 0u);
  EXPECT_EQ(StoredDword("Count"), 0u);
  EXPECT_EQ(platform::StringValueText(*Value("Version")), "Quellbright");

  // The stamp compares case and all.
  start_with([&] { registry.SetString(kUser, kPromoKey, "Version", "quellbright"); });
  EXPECT_EQ(StoredFirstRun(), today);

  start_with([&] {
    registry::RegistryKey key(registry, kUser);
    ASSERT_TRUE(key.OpenKey(kPromoKey, false, platform::KeyAccess::ReadWrite));
    key.DeleteValue("Xpos");
  });
  EXPECT_EQ(StoredFirstRun(), today);
  EXPECT_EQ(StoredDword("Ypos"), 0u);
}

// A damaged first-run date would otherwise feed the day arithmetic: NaN
// makes every comparison false, and a date far out gives a day count that
// does not fit the tick's 32 bits.
TEST_F(PromoScheduleTest, AFirstRunDateThatIsNoSaneDateCountsAsNone) {
  for (const double damaged :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), -5.0, 1.5, 1e300,
        static_cast<double>(DayNumber(10000, 1, 1))}) {
    StoreFirstRun(damaged);
    registry.SetDword(kUser, kPromoKey, "Ypos", 7);
    EXPECT_EQ(schedule.GetFirstRunDate(), 0.0) << damaged;
    schedule.CountLaunch();
    EXPECT_EQ(StoredFirstRun(), today) << damaged;
    EXPECT_EQ(StoredDword("Ypos"), 0u) << damaged;
  }
  // The edges of the sane range are kept.
  for (const double edge : {static_cast<double>(DayNumber(1900, 1, 1)),
                            static_cast<double>(DayNumber(9999, 12, 31)) + 0.999}) {
    StoreFirstRun(edge);
    EXPECT_EQ(schedule.GetFirstRunDate(), edge);
  }
}

TEST_F(PromoScheduleTest, TheDayCountRoundsHalvesToEven) {
  StoreFirstRun(ToDateTime({2004, 3, 1, 0, 0, 0, 0}));
  const auto days_at = [&](platform::LocalTime now) {
    clock.Set(now);
    return schedule.GetDaysSinceFirstRun();
  };
  EXPECT_EQ(days_at({2004, 3, 15, 12, 0, 0, 0}), 14);  // 14.5
  EXPECT_EQ(days_at({2004, 3, 16, 12, 0, 0, 0}), 16);  // 15.5
  EXPECT_EQ(days_at({2004, 3, 16, 11, 59, 59, 999}), 15);
  EXPECT_EQ(days_at({2004, 3, 16, 12, 0, 0, 1}), 16);
  EXPECT_EQ(days_at({2004, 3, 31, 0, 0, 0, 0}), 30);
  // A clock set back before the first run.
  EXPECT_EQ(days_at({2004, 2, 20, 0, 0, 0, 0}), -10);
  EXPECT_EQ(days_at({2004, 2, 28, 12, 0, 0, 0}), -2);  // -1.5, across 29 February
  EXPECT_EQ(days_at({2004, 2, 27, 12, 0, 0, 0}), -2);  // -2.5
  EXPECT_EQ(days_at({2004, 2, 26, 12, 0, 0, 0}), -4);  // -3.5
}

// With a first run at 09:00, day 15 runs from 21:00 on the 14th day after
// to 21:00 on the 15th.
TEST_F(PromoScheduleTest, TheDayMovesOnAtTheHalfDay) {
  StoreFirstRun(today);
  clock.Set({2004, 3, 19, 20, 59, 0, 0});
  EXPECT_EQ(schedule.GetDaysSinceFirstRun(), 14);
  clock.Set({2004, 3, 19, 21, 1, 0, 0});
  EXPECT_EQ(schedule.GetDaysSinceFirstRun(), 15);
  clock.Set({2004, 3, 20, 20, 59, 0, 0});
  EXPECT_EQ(schedule.GetDaysSinceFirstRun(), 15);
}

TEST_F(PromoScheduleTest, ADateRemovedWhileRunningCountsFromTheEpochAndRestoresTheStamp) {
  const std::int64_t days_since_epoch = RoundHalfToEven(today);
  EXPECT_EQ(schedule.GetDaysSinceFirstRun(), days_since_epoch);
  EXPECT_EQ(platform::StringValueText(*Value("Version")), "Quellbright");
  EXPECT_FALSE(Value("Xpos"));
}

TEST_F(PromoScheduleTest, ValuesOfTheWrongTypeRaiseTheReadError) {
  registry.SetString(kUser, kPromoKey, "Ypos", "3");
  EXPECT_EQ(ErrorOf([&] { schedule.GetLaunchCount(); }), "Invalid data type for 'Ypos'");

  StoreFirstRun(today);
  registry.SetValue(kUser, kPromoKey, "Xpos", RegistryValue{value_type::kBinary, {1, 2, 3, 4}});
  EXPECT_EQ(ErrorOf([&] { schedule.CountLaunch(); }), "Invalid data type for 'Xpos'");
  registry.SetDword(kUser, kPromoKey, "Version", 1);
  EXPECT_EQ(ErrorOf([&] { schedule.CountLaunch(); }), "Invalid data type for 'Version'");

  registry.SetDword(kUser, "Software\\Tarnwick\\Quellbright", "DemoShown", 1);
  EXPECT_EQ(ErrorOf([&] { schedule.IsDemoShown(); }), "Invalid data type for 'DemoShown'");
}

TEST_F(PromoScheduleTest, TheFlagIsTextAndReadsAsAnInteger) {
  EXPECT_FALSE(schedule.IsDemoShown());
  schedule.SetDemoShown(true);
  EXPECT_EQ(platform::StringValueText(*Value("DemoShown")), "1");
  EXPECT_TRUE(schedule.IsDemoShown());
  schedule.SetDemoShown(false);
  EXPECT_EQ(platform::StringValueText(*Value("DemoShown")), "0");
  for (const auto& [text, shown] :
       {std::pair{"yes", false}, {"-3", true}, {"0x10", true}, {"", false}}) {
    registry.SetString(kUser, kPromoKey, "DemoShown", text);
    EXPECT_EQ(schedule.IsDemoShown(), shown) << text;
  }
}

TEST_F(PromoScheduleTest, AKeyThatCannotBeWrittenReportsTheStampAndWritesNothing) {
  registry.CreateKey(kUser, kPromoKey);
  registry.Protect(kUser, "Software\\Tarnwick");
  EXPECT_EQ(ErrorOf([&] { schedule.CountLaunch(); }), "Failed to set data for 'Version'");
  EXPECT_TRUE(registry.ValueNamesOf(kUser, kPromoKey).empty());
  EXPECT_EQ(schedule.GetLaunchCount(), 0);
}

TEST_F(PromoScheduleTest, TheCounterStopsAtItsTop) {
  StoreFirstRun(today);
  registry.SetDword(kUser, kPromoKey, "Ypos", 0x7FFFFFFF);
  schedule.CountLaunch();
  EXPECT_EQ(schedule.GetLaunchCount(), 0x7FFFFFFF);
  EXPECT_FALSE(IsBannerHidden(schedule.GetLaunchCount()));
}

}  // namespace
}  // namespace qb::promo
