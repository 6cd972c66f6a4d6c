#include "platform/code_page.h"

#include <array>

namespace qb::platform {
namespace {

// Bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t DecodeByte(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

char EncodeUnit(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == unit) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::string Windows1252::Encode(std::u16string_view text) const {
  std::string bytes;
  bytes.reserve(text.size());
  for (char16_t unit : text) bytes += EncodeUnit(unit);
  return bytes;
}

std::u16string Windows1252::Decode(std::string_view bytes) const {
  std::u16string text;
  text.reserve(bytes.size());
  for (char byte : bytes) text += DecodeByte(static_cast<unsigned char>(byte));
  return text;
}

}  // namespace qb::platform
