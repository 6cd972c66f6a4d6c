#pragma once

#include <string_view>

// The two command-line switches, read from the first argument only.
namespace qb::guardian {

inline constexpr char kNoHide[] = "NOHIDE";
inline constexpr char kNoHint[] = "NOHINT";

// Whether `first_argument`, upper-cased (ASCII letters only), equals `word`
// exactly: no prefix character, no partial match.
bool IsSwitch(std::string_view first_argument, std::string_view word);

}  // namespace qb::guardian
