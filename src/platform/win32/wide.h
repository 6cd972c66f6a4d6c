#pragma once

#include <string>
#include <string_view>

// Conversions between the program's UTF-8 text and the UTF-16 of the W
// functions.
namespace qb::win32 {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace qb::win32
