#pragma once

#include <string>
#include <string_view>

namespace qb::win32 {

// UTF-16 text in the system's ANSI code page; characters it lacks become
// its default character.
std::string ToAnsi(std::u16string_view text);

}  // namespace qb::win32
