#pragma once

#include <cstdint>
#include <vector>

namespace qb::app {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// One horizontal band of the background gradient; `bottom` is exclusive.
struct GradientBand {
  int top = 0;
  int bottom = 0;
  Rgb color;
};

// The bands of the main window's vertical gradient from `start` (top) to
// `end` (bottom), for a window `outer_height` pixels high on a display of
// `bits_per_pixel`. There are n + 1 contiguous bands of (height div n) + 1
// pixels, n being the height capped at 250, then 50 on 8-bit displays and 4 on
// displays below 8 bits; the last band has exactly the end colour. Bands run
// past the bottom of the window, where drawing clips them.
std::vector<GradientBand> GradientBands(int outer_height, int bits_per_pixel, Rgb start, Rgb end);

}  // namespace qb::app
