#include "lists/clsid_list.h"

namespace qb::lists {

int FindLinear(const std::vector<std::string>& entries, std::string_view text) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (EqualsIgnoreCase(entries[i], text)) return static_cast<int>(i);
  }
  return -1;
}

ClsidList::ClsidList(std::vector<std::string> entries) { Assign(std::move(entries)); }

int ClsidList::IndexOf(std::string_view text) const {
  const auto it = first_position_.find(text);
  return it == first_position_.end() ? -1 : it->second;
}

bool ClsidList::AddIfAbsent(std::string_view text) {
  if (Contains(text)) return false;
  Append(std::string(text));
  return true;
}

void ClsidList::Assign(std::vector<std::string> entries) {
  entries_.clear();
  first_position_.clear();
  entries_.reserve(entries.size());
  first_position_.reserve(entries.size());
  for (std::string& entry : entries) Append(std::move(entry));
}

void ClsidList::Append(std::string text) {
  // emplace keeps an existing key, so the index holds the first position.
  first_position_.emplace(text, static_cast<int>(entries_.size()));
  entries_.push_back(std::move(text));
}

}  // namespace qb::lists
