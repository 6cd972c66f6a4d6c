#pragma once

#include <cstdint>

#include "platform/clock.h"
#include "platform/registry_backend.h"

namespace qb::promo {

// The key of the promotion values, under HKEY_CURRENT_USER; the settings
// live there too. "DemoShown" is reached through the settings' store.
inline constexpr char kPromoKey[] = "Software\\Tarnwick\\Quellbright";
inline constexpr char kVersionStamp[] = "Quellbright";
// Starts without the banner: it appears from the sixth on.
inline constexpr std::int32_t kLaunchesWithoutBanner = 5;

// The promotion schedule's values in the registry: the first-run date
// ("Xpos"), the launch counter ("Ypos"), "Count", the "Version" stamp and
// the "DemoShown" flag. Each operation opens the key, does its work and
// closes it; nothing is cached. A value of the wrong type or size throws the
// registry layer's read error; a stamp that cannot be written throws its
// write error.
class PromoSchedule {
 public:
  PromoSchedule(platform::RegistryBackend& registry, platform::Clock& clock);

  // The flag that a promotion window was shown in the current period.
  bool IsDemoShown();
  void SetDemoShown(bool shown);

  // First run: the date is now, the counter 0. Writes nothing when the key
  // cannot be opened.
  void InitPromoSchedule();
  // The stored first-run date; 0.0 when there is none, when it is not a
  // sane date, or when the stamp is missing or foreign (the stamp is then
  // written, so that the next start begins afresh).
  double GetFirstRunDate();
  // Once per start, before any window: a first run records the date, every
  // later start adds one to the counter.
  void CountLaunch();
  // Whole days from the first run to now, half days rounded to even.
  std::int64_t GetDaysSinceFirstRun();
  void IncLaunchCount();
  // 0 when the key or the value is absent.
  std::int32_t GetLaunchCount();

 private:
  platform::RegistryBackend& registry_;
  platform::Clock& clock_;
};

// The banner rule: hidden during the first five starts.
bool IsBannerHidden(std::int32_t launch_count);

}  // namespace qb::promo
