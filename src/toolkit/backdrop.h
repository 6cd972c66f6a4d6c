#pragma once

#include <windows.h>

namespace qb::toolkit {

// Draws into `dc`, in `window`'s client coordinates, what lies beneath the
// child window `window`: its parent's background and the siblings below it,
// each printed with WM_PRINTCLIENT. For controls that draw only part of
// their surface, as a transparent label does.
void PaintBackdrop(HWND window, HDC dc);

}  // namespace qb::toolkit
