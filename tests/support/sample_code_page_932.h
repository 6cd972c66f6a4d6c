#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "platform/code_page.h"

namespace qb::testing {

// A few characters of code page 932, the Japanese ANSI code page, for tests
// of double-byte text: ASCII and three characters whose second byte is
// 0x5C, "\": 表 (95 5C), ソ (83 5C) and 能 (94 5C). Its lead bytes are those
// of 932. Bytes it does not know decode to U+30FB, as Windows decodes a
// pair that 932 lacks, and characters it lacks encode as "?".
class SampleCodePage932 final : public platform::CodePage {
 public:
  std::string Encode(std::u16string_view text) const override {
    std::string bytes;
    for (char16_t unit : text) {
      if (unit < 0x80) {
        bytes += static_cast<char>(unit);
        continue;
      }
      bool known = false;
      for (const auto& [pair, character] : kPairs) {
        if (character != unit) continue;
        bytes += static_cast<char>(pair >> 8);
        bytes += static_cast<char>(pair & 0xFF);
        known = true;
      }
      if (!known) bytes += '?';
    }
    return bytes;
  }

  std::u16string Decode(std::string_view bytes) const override {
    std::u16string text;
    for (std::size_t at = 0; at < bytes.size(); at += CharacterSize(bytes, at)) {
      const auto byte = static_cast<unsigned char>(bytes[at]);
      if (byte < 0x80) {
        text += static_cast<char16_t>(byte);
        continue;
      }
      char16_t character = kUnknown;
      if (CharacterSize(bytes, at) == 2) {
        const unsigned pair = byte << 8 | static_cast<unsigned char>(bytes[at + 1]);
        for (const auto& [known, unit] : kPairs) {
          if (known == pair) character = unit;
        }
      }
      text += character;
    }
    return text;
  }

  bool IsLeadByte(unsigned char byte) const override {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  }

 private:
  static constexpr char16_t kUnknown = u'\u30FB';
  static constexpr std::array<std::pair<unsigned, char16_t>, 3> kPairs = {
      {{0x955C, u'\u8868'}, {0x835C, u'\u30BD'}, {0x945C, u'\u80FD'}}};
};

}  // namespace qb::testing
