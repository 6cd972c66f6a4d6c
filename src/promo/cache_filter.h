#pragma once

#include <bitset>
#include <cstdint>
#include <initializer_list>

namespace qb::promo {

// The kinds of URL-cache entries the reader can report, in their order.
enum class TFilterOption {
  NORMAL_ENTRY,
  STABLE_ENTRY,
  STICKY_ENTRY,
  COOKIE_ENTRY,
  URLHISTORY_ENTRY,
  TRACK_OFFLINE_ENTRY,
  TRACK_ONLINE_ENTRY,
  SPARSE_ENTRY,
  OCX_ENTRY,
};
inline constexpr int kFilterOptionCount = 9;

// A set of filter options.
class TFilterOptions {
 public:
  TFilterOptions() = default;
  TFilterOptions(std::initializer_list<TFilterOption> options);

  bool Contains(TFilterOption option) const;
  void Add(TFilterOption option);
  friend bool operator==(const TFilterOptions&, const TFilterOptions&) = default;

 private:
  std::bitset<kFilterOptionCount> members_;
};

// The set the reader starts with.
TFilterOptions DefaultFilterOptions();

// The WinInet cache-entry-type bits of the set: 0 for an empty set.
std::uint32_t FilterMaskOf(const TFilterOptions& options);

}  // namespace qb::promo
