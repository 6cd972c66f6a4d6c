#pragma once

#include <cstddef>
#include <string_view>

// Comparison of list entries without regard to letter case. CLSID texts are
// ASCII, so folding A-Z onto a-z is the whole rule; other bytes compare as
// they are.
namespace qb::lists {

constexpr char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// Transparent hash and equality, so a lookup by string_view allocates nothing.
struct CaseInsensitiveHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const {
    std::size_t hash = 14695981039346656037ULL;  // FNV-1a
    for (char c : text) {
      hash ^= static_cast<unsigned char>(FoldCase(c));
      hash *= 1099511628211ULL;
    }
    return hash;
  }
};

struct CaseInsensitiveEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return EqualsIgnoreCase(a, b); }
};

}  // namespace qb::lists
