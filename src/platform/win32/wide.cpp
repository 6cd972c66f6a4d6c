#include "platform/win32/wide.h"

#include "platform/utf.h"

namespace qb::win32 {

// wchar_t is UTF-16 on Windows, so the portable converters serve directly.
std::wstring Widen(std::string_view text) {
  const std::u16string wide = platform::Utf8ToUtf16(text);
  return std::wstring(wide.begin(), wide.end());
}

std::string Narrow(std::wstring_view text) {
  return platform::Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

}  // namespace qb::win32
