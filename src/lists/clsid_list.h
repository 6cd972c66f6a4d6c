#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lists/case_insensitive.h"

namespace qb::lists {

// The reference membership rule: the position of the first entry equal to
// `text` without regard to letter case, or -1. Nothing is trimmed.
int FindLinear(const std::vector<std::string>& entries, std::string_view text);

// An ordered, unsorted list of CLSID texts. Duplicates are kept. Membership
// goes through a case-insensitive hash index kept in step with the entries,
// and always gives what FindLinear gives.
class ClsidList {
 public:
  ClsidList() = default;
  explicit ClsidList(std::vector<std::string> entries);

  int IndexOf(std::string_view text) const;
  bool Contains(std::string_view text) const { return IndexOf(text) >= 0; }
  const std::vector<std::string>& entries() const { return entries_; }
  std::size_t size() const { return entries_.size(); }

  // Appends `text` unless it is a member; true when it was appended.
  bool AddIfAbsent(std::string_view text);
  void Assign(std::vector<std::string> entries);

 private:
  void Append(std::string text);

  std::vector<std::string> entries_;
  std::unordered_map<std::string, int, CaseInsensitiveHash, CaseInsensitiveEqual> first_position_;
};

}  // namespace qb::lists
