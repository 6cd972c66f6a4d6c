#include "promo/ie_cache.h"

#include <gtest/gtest.h>

namespace qb::promo {
namespace {

using enum TFilterOption;

TEST(FilterMask, IsTheSumOfTheEntryTypeBits) {
  EXPECT_EQ(FilterMaskOf({}), 0u);
  EXPECT_EQ(FilterMaskOf(DefaultFilterOptions()), 0x300035u);
  EXPECT_EQ(FilterMaskOf({STABLE_ENTRY}), 0x2u);
  EXPECT_EQ(FilterMaskOf({SPARSE_ENTRY, OCX_ENTRY}), 0x30000u);
  EXPECT_EQ(FilterMaskOf({NORMAL_ENTRY, STABLE_ENTRY, STICKY_ENTRY, COOKIE_ENTRY, URLHISTORY_ENTRY,
                          TRACK_OFFLINE_ENTRY, TRACK_ONLINE_ENTRY, SPARSE_ENTRY, OCX_ENTRY}),
            0x330037u);
}

TEST(TIECache, TheMaskStaysZeroUntilTheSetIsAssigned) {
  int probes = 0;
  TIECache cache([&] { return ++probes > 2; });
  EXPECT_EQ(cache.FilterOptions(), DefaultFilterOptions());
  EXPECT_EQ(cache.FilterMask(), 0u);
  cache.SetFilterOptions(DefaultFilterOptions());
  EXPECT_EQ(cache.FilterMask(), 0x300035u);
  cache.SetFilterOptions({});
  EXPECT_EQ(cache.FilterMask(), 0u);
  EXPECT_EQ(cache.SearchPattern, TSearchPattern::spAll);
  // Reading LibraryFound probes again.
  EXPECT_EQ(probes, 1);
  EXPECT_FALSE(cache.LibraryFound());
  EXPECT_TRUE(cache.LibraryFound());
  EXPECT_EQ(probes, 3);
}

}  // namespace
}  // namespace qb::promo
