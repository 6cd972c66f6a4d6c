#pragma once

#include <string>
#include <string_view>

// Conversions between the program's UTF-8 text and the UTF-16 of the W
// functions.
namespace qb::win32 {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// The same UTF-16 units in the type of the W functions, unchanged.
inline std::wstring AsWide(std::u16string_view text) { return {text.begin(), text.end()}; }
inline std::u16string AsUtf16(std::wstring_view text) { return {text.begin(), text.end()}; }

}  // namespace qb::win32
