#pragma once

#include "platform/code_page.h"

namespace qb::win32 {

// The system's ANSI code page (CP_ACP).
class Win32CodePage final : public platform::CodePage {
 public:
  std::string Encode(std::u16string_view text) const override;
  std::u16string Decode(std::string_view bytes) const override;
  bool IsLeadByte(unsigned char byte) const override;
};

}  // namespace qb::win32
