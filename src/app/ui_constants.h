#pragma once

#include <windows.h>

#include "toolkit/font.h"

// Looks shared by the main window's pages.
namespace qb::app {

inline constexpr COLORREF kInfoBackground = RGB(255, 255, 225);  // lists and detail fields

inline toolkit::FontSpec ListFont() { return toolkit::FontSpec{L"Courier New", 8}; }

inline constexpr int kListItemHeight = 14;

}  // namespace qb::app
