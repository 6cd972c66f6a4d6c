#pragma once

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

  // Whether `text` comes back unchanged through the code page.
  bool Carries(std::u16string_view text) const { return Decode(Encode(text)) == text; }
};

// Windows-1252, the ANSI code page of western Windows, for native tests.
// Its five unassigned bytes stand for the control characters of the same
// number, as Windows maps them.
class Windows1252 final : public CodePage {
 public:
  std::string Encode(std::u16string_view text) const override;
  std::u16string Decode(std::string_view bytes) const override;
};

}  // namespace qb::platform
