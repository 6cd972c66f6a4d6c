#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <tuple>

#include "platform/win32/unique_handle.h"

namespace qb::toolkit {

struct FontSpec {
  std::wstring face = L"MS Sans Serif";
  int points = 8;
  bool bold = false;
  bool underline = false;
  BYTE charset = DEFAULT_CHARSET;

  friend auto operator<=>(const FontSpec&, const FontSpec&) = default;
};

// Fonts made once per face, style and dpi, and kept for the window's life.
class FontCache {
 public:
  HFONT Get(const FontSpec& spec, UINT dpi);

 private:
  std::map<std::pair<FontSpec, UINT>, win32::UniqueFont> fonts_;
};

}  // namespace qb::toolkit
