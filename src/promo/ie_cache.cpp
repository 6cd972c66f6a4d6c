#include "promo/ie_cache.h"

namespace qb::promo {

TIECache::TIECache(std::function<bool()> load_wininet) : load_wininet_(std::move(load_wininet)) {
  if (load_wininet_()) current_entry_ = CacheEntry{};
}

void TIECache::SetFilterOptions(const TFilterOptions& options) {
  filter_options_ = options;
  filter_mask_ = FilterMaskOf(options);
}

}  // namespace qb::promo
