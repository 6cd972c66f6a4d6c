#include "promo/cache_filter.h"

#include <array>

namespace qb::promo {
namespace {

// The entry-type bit of each option, in the options' order.
constexpr std::array<std::uint32_t, kFilterOptionCount> kEntryTypeBits{
    0x1, 0x2, 0x4, 0x100000, 0x200000, 0x10, 0x20, 0x10000, 0x20000,
};

std::size_t Ordinal(TFilterOption option) { return static_cast<std::size_t>(option); }

}  // namespace

TFilterOptions::TFilterOptions(std::initializer_list<TFilterOption> options) {
  for (TFilterOption option : options) Add(option);
}

bool TFilterOptions::Contains(TFilterOption option) const { return members_[Ordinal(option)]; }

void TFilterOptions::Add(TFilterOption option) { members_[Ordinal(option)] = true; }

TFilterOptions DefaultFilterOptions() {
  using enum TFilterOption;
  return {NORMAL_ENTRY,     STICKY_ENTRY,        COOKIE_ENTRY,
          URLHISTORY_ENTRY, TRACK_OFFLINE_ENTRY, TRACK_ONLINE_ENTRY};
}

std::uint32_t FilterMaskOf(const TFilterOptions& options) {
  std::uint32_t mask = 0;
  for (std::size_t i = 0; i < kEntryTypeBits.size(); ++i) {
    if (options.Contains(static_cast<TFilterOption>(i))) mask += kEntryTypeBits[i];
  }
  return mask;
}

}  // namespace qb::promo
