// The settings' integer text against a model of its rules written apart from
// it: blanks, a sign, then decimal digits, or hexadecimal ones after "$",
// "x" or "0x"; anything else, and any value outside 32 bits, is no number.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "registry/ini_store.h"

namespace {

std::optional<std::int32_t> ModelOf(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  const bool negative = text.starts_with('-');
  if (text.starts_with('-') || text.starts_with('+')) text.remove_prefix(1);

  std::string_view alphabet = "0123456789";
  if (text.starts_with("0x") || text.starts_with("0X")) {
    text.remove_prefix(2);
    alphabet = "0123456789abcdefABCDEF";
  } else if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
    text.remove_prefix(1);
    alphabet = "0123456789abcdefABCDEF";
  }
  const int base = alphabet.size() == 10 ? 10 : 16;
  if (text.empty() || text.find_first_not_of(alphabet) != std::string_view::npos) {
    return std::nullopt;
  }
  text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
  // 2^31 has 10 decimal and 8 hexadecimal digits.
  if (text.size() > (base == 10 ? 10u : 8u)) return std::nullopt;
  std::int64_t magnitude = 0;
  for (const char c : text) {
    const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    magnitude = magnitude * base + digit;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (qb::registry::ParseIntegerText(text) != ModelOf(text)) std::abort();
  return 0;
}
