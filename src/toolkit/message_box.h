#pragma once

#include <windows.h>

#include <string_view>

namespace qb::toolkit {

// A modal message box; returns the button pressed (IDOK, IDYES, IDNO, ...).
int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags);

}  // namespace qb::toolkit
