#pragma once

#include <windows.h>

#include "toolkit/controls.h"
#include "toolkit/font.h"
#include "toolkit/menu.h"

// Looks shared by the main window's pages.
namespace qb::ui {

inline constexpr COLORREF kInfoBackground = RGB(255, 255, 225);  // lists and detail fields

inline toolkit::FontSpec ListFont() { return toolkit::FontSpec{L"Courier New", 8}; }

inline constexpr int kListItemHeight = 14;

// The look and pop-up menu of the pages' object lists.
inline void SetUpObjectList(toolkit::ListBox& list, toolkit::PopupMenu& popup) {
  list.SetItemHeight(kListItemHeight);
  list.SetColors(kInfoBackground);
  list.SetPopupMenu(&popup);
}

}  // namespace qb::ui
