#pragma once

#include <windows.h>

// Layout figures are given at 96 dpi and scaled for the monitor that shows
// the window. The per-monitor functions exist from Windows 10 on; older
// systems fall back to the system dpi.
namespace qb::toolkit {

inline constexpr UINT kDesignDpi = 96;

UINT DpiOf(HWND window);
int Scale(int design_pixels, UINT dpi);
// Outer size of a window whose client area is `client` at `dpi`.
SIZE OuterSizeFor(SIZE client, DWORD style, DWORD ex_style, bool has_menu, UINT dpi);

}  // namespace qb::toolkit
