#include "platform/win32/win32_code_page.h"

#include <windows.h>

#include <limits>

namespace qb::win32 {
namespace {

// The conversions take int lengths; longer text is refused, not cut.
template <typename Text>
bool FitsInt(const Text& text) {
  return text.size() <= static_cast<std::size_t>(std::numeric_limits<int>::max() / 4);
}

}  // namespace

std::string Win32CodePage::Encode(std::u16string_view text) const {
  if (text.empty() || !FitsInt(text)) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  // No best fit: a character the code page lacks must not turn into a
  // look-alike, which could make one CLSID text pass for another.
  const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0,
                                         nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), size, nullptr,
                        nullptr);
  return bytes;
}

std::u16string Win32CodePage::Decode(std::string_view bytes) const {
  if (bytes.empty() || !FitsInt(bytes)) return {};
  const int length = static_cast<int>(bytes.size());
  const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  std::u16string text(static_cast<std::size_t>(size), u'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()),
                        size);
  return text;
}

bool Win32CodePage::IsLeadByte(unsigned char byte) const {
  return ::IsDBCSLeadByteEx(CP_ACP, byte) != FALSE;
}

}  // namespace qb::win32
