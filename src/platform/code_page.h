#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qb::platform {

// The system's 8-bit (ANSI) code page, in which the list files and the
// backups keep their text.
class CodePage {
 public:
  virtual ~CodePage() = default;
  // Characters the code page lacks become its default character.
  virtual std::string Encode(std::u16string_view text) const = 0;
  virtual std::u16string Decode(std::string_view bytes) const = 0;
  // Whether `byte` begins a character of two bytes in a double-byte code
  // page. The byte after it belongs to that character whatever its value:
  // in code page 932 the second byte of many characters is 0x5C, "\".
  virtual bool IsLeadByte(unsigned char byte) const = 0;

  // Whether `text` comes back unchanged through the code page.
  bool Carries(std::u16string_view text) const { return Decode(Encode(text)) == text; }
  // Whether `bytes` are text of the code page: characters that go back to
  // the same bytes (no stray lead byte, no unassigned pair).
  bool IsText(std::string_view bytes) const { return Encode(Decode(bytes)) == bytes; }
  // The number of bytes of the character that starts at `at`: two for a
  // lead byte followed by another byte, else one.
  std::size_t CharacterSize(std::string_view bytes, std::size_t at) const {
    return at + 1 < bytes.size() && IsLeadByte(static_cast<unsigned char>(bytes[at])) ? 2 : 1;
  }
};

// Windows-1252, the ANSI code page of western Windows, for native tests.
// Its five unassigned bytes stand for the control characters of the same
// number, as Windows maps them.
class Windows1252 final : public CodePage {
 public:
  std::string Encode(std::u16string_view text) const override;
  std::u16string Decode(std::string_view bytes) const override;
  bool IsLeadByte(unsigned char) const override { return false; }
};

}  // namespace qb::platform
