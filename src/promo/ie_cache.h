#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "promo/cache_filter.h"

namespace qb::promo {

enum class TSearchPattern { spAll, spCookies, spHistory, spUrl };

// The URL-cache reader `TIECache`. The demo window carries one, but nothing
// enumerates the cache: the demo reads the index files directly. At run
// time the reader only probes the WinInet library (`load_wininet`).
class TIECache {
 public:
  // What the reader knows of the cache entry at hand.
  struct CacheEntry {
    std::string source_url;
    std::string local_file;
    std::uint32_t entry_type = 0;
  };

  // Stores the default filter set without computing its mask, which stays
  // 0 until the set is assigned. Clears the current entry when the probe
  // succeeds.
  explicit TIECache(std::function<bool()> load_wininet);

  const TFilterOptions& FilterOptions() const { return filter_options_; }
  // Assigning the set computes its mask.
  void SetFilterOptions(const TFilterOptions& options);
  std::uint32_t FilterMask() const { return filter_mask_; }
  // The probe's result; runs the probe.
  bool LibraryFound() { return load_wininet_(); }
  const CacheEntry& current_entry() const { return current_entry_; }

  TSearchPattern SearchPattern = TSearchPattern::spAll;
  // Per cache entry and per cache group; `cancel` ends the enumeration.
  std::function<void(TIECache& sender, bool& cancel)> OnEntry;
  std::function<void(TIECache& sender, std::int64_t group_id, bool& cancel)> OnGroup;

 private:
  std::function<bool()> load_wininet_;
  TFilterOptions filter_options_ = DefaultFilterOptions();
  std::uint32_t filter_mask_ = 0;
  CacheEntry current_entry_;
};

}  // namespace qb::promo
