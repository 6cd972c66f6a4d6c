#pragma once

#include <string>
#include <string_view>

// UTF-8 is the program's text inside; UTF-16 is what Windows stores and takes.
// Malformed input becomes U+FFFD rather than failing.
namespace qb::platform {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace qb::platform
