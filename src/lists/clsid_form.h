#pragma once

#include <string_view>

namespace qb::lists {

// Whether a list entry is a CLSID as the lists hold one: 36 characters,
// hexadecimal digits (either letter case) in groups of 8, 4, 4, 4 and 12
// joined by "-", without braces. List files are text that other programs
// may have written; only an entry of this form may name a registry value.
bool IsClsidText(std::string_view text);

}  // namespace qb::lists
