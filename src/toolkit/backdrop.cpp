#include "toolkit/backdrop.h"

#include <vector>

namespace qb::toolkit {
namespace {

// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window, HWND parent) {
  RECT rect;
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

void PaintBackdrop(HWND window, HDC dc) {
  HWND parent = ::GetParent(window);
  if (!parent) return;
  const RECT own = RectInParent(window, parent);
  POINT origin;
  ::SetViewportOrgEx(dc, -own.left, -own.top, &origin);
  ::SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);

  // The siblings below, the lowest first.
  std::vector<HWND> below;
  for (HWND sibling = ::GetWindow(window, GW_HWNDNEXT); sibling;
       sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
    below.push_back(sibling);
  }
  for (auto it = below.rbegin(); it != below.rend(); ++it) {
    if (!::IsWindowVisible(*it)) continue;
    const RECT rect = RectInParent(*it, parent);
    RECT overlap;
    if (!::IntersectRect(&overlap, &rect, &own)) continue;
    ::SetViewportOrgEx(dc, rect.left - own.left, rect.top - own.top, &origin);
    ::SendMessageW(*it, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
}

}  // namespace qb::toolkit
