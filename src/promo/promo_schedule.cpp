#include "promo/promo_schedule.h"

#include <limits>

#include "platform/error.h"
#include "promo/date_time.h"
#include "registry/ini_store.h"
#include "registry/registry_key.h"
#include "settings/settings.h"

namespace qb::promo {
namespace {

using platform::RegistryRoot;
using registry::RegistryKey;

constexpr char kFirstRunValue[] = "Xpos";
constexpr char kLaunchCountValue[] = "Ypos";
constexpr char kCountValue[] = "Count";
constexpr char kVersionValue[] = "Version";
constexpr char kDemoShownValue[] = "DemoShown";

}  // namespace

PromoSchedule::PromoSchedule(platform::RegistryBackend& registry, platform::Clock& clock)
    : registry_(registry), clock_(clock) {}

bool PromoSchedule::IsDemoShown() {
  registry::IniStore store(registry_, RegistryRoot::CurrentUser, settings::kStoreKey);
  return store.ReadBool(settings::kSection, kDemoShownValue, false);
}

void PromoSchedule::SetDemoShown(bool shown) {
  registry::IniStore store(registry_, RegistryRoot::CurrentUser, settings::kStoreKey);
  store.WriteBool(settings::kSection, kDemoShownValue, shown);
}

void PromoSchedule::InitPromoSchedule() {
  RegistryKey key(registry_, RegistryRoot::CurrentUser);
  if (!key.OpenKey(kPromoKey, true)) return;
  key.WriteDateTime(kFirstRunValue, ToDateTime(clock_.Now()));
  key.WriteInteger(kLaunchCountValue, 0);
  key.WriteInteger(kCountValue, 0);
}

double PromoSchedule::GetFirstRunDate() {
  RegistryKey key(registry_, RegistryRoot::CurrentUser);
  // When the key cannot be opened the values read as absent, and writing
  // the stamp reports the fault.
  key.OpenKey(kPromoKey, true);
  if (key.ValueExists(kFirstRunValue) && key.ValueExists(kVersionValue) &&
      key.ReadString(kVersionValue) == kVersionStamp) {
    const double first_run = key.ReadDateTime(kFirstRunValue);
    return IsSaneDateTime(first_run) ? first_run : 0.0;
  }
  key.WriteString(kVersionValue, kVersionStamp);
  return 0.0;
}

void PromoSchedule::CountLaunch() {
  if (GetFirstRunDate() != 0.0) {
    IncLaunchCount();
  } else {
    InitPromoSchedule();
  }
}

std::int64_t PromoSchedule::GetDaysSinceFirstRun() {
  const double now = ToDateTime(clock_.Now());
  return RoundHalfToEven(now - GetFirstRunDate());
}

void PromoSchedule::IncLaunchCount() {
  const std::int32_t count = GetLaunchCount();
  // A counter at its top stays there rather than turn negative.
  const std::int32_t next = count == std::numeric_limits<std::int32_t>::max() ? count : count + 1;
  RegistryKey key(registry_, RegistryRoot::CurrentUser);
  if (!key.OpenKey(kPromoKey, true)) return;
  key.WriteInteger(kLaunchCountValue, next);
}

std::int32_t PromoSchedule::GetLaunchCount() {
  RegistryKey key(registry_, RegistryRoot::CurrentUser);
  if (!key.OpenKey(kPromoKey, false) || !key.ValueExists(kLaunchCountValue)) return 0;
  return key.ReadInteger(kLaunchCountValue);
}

bool IsBannerHidden(std::int32_t launch_count) { return launch_count < kLaunchesWithoutBanner; }

}  // namespace qb::promo
