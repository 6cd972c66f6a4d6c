#include "lists/clsid_form.h"

namespace qb::lists {
namespace {

constexpr std::string_view kPattern = "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx";

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

bool IsClsidText(std::string_view text) {
  if (text.size() != kPattern.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (kPattern[i] == '-' ? text[i] != '-' : !IsHexDigit(text[i])) return false;
  }
  return true;
}

}  // namespace qb::lists
