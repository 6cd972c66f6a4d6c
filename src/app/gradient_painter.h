#pragma once

#include <windows.h>

#include "app/gradient.h"

namespace qb::app {

// Paints the vertical gradient over the window's client area on `dc`, with
// bands measured on the window's outer size, in client coordinates.
void GradientForm(HWND window, HDC dc, Rgb start, Rgb end);

}  // namespace qb::app
