#pragma once

#include <windows.h>

#include <string_view>

namespace qb::promo {

// `OpenWebLink`: hands a web address to the shell ("open", no parameters,
// no folder, SW_HIDE), owned by the program's top window, which owns all of
// its other windows; `from` is any window of the program. Nothing is
// reported when the shell cannot open it.
void OpenWebLink(HWND from, std::string_view address);

}  // namespace qb::promo
