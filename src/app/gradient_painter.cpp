#include "app/gradient_painter.h"

#include "platform/win32/unique_handle.h"

namespace qb::app {

void GradientForm(HWND window, HDC dc, Rgb start, Rgb end) {
  RECT outer;
  ::GetWindowRect(window, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int bits = ::GetDeviceCaps(dc, BITSPIXEL);
  for (const GradientBand& band : GradientBands(height, bits, start, end)) {
    const RECT rect{0, band.top, width, band.bottom};
    win32::UniqueBrush brush(
        ::CreateSolidBrush(RGB(band.color.red, band.color.green, band.color.blue)));
    ::FillRect(dc, &rect, brush.get());
  }
}

}  // namespace qb::app
