#include "app/gradient.h"

#include <algorithm>

namespace qb::app {
namespace {

std::uint8_t Blend(int start, int end, int percent) {
  const int value = start > end ? start - ((start - end) * percent) / 100
                                : start + ((end - start) * percent) / 100;
  return static_cast<std::uint8_t>(value);
}

}  // namespace

std::vector<GradientBand> GradientBands(int outer_height, int bits_per_pixel, Rgb start, Rgb end) {
  int steps = std::clamp(outer_height, 1, 250);
  if (bits_per_pixel == 8 && steps > 50) {
    steps = 50;
  } else if (bits_per_pixel < 8) {
    steps = 4;
  }
  const int band_height = std::max(outer_height, 0) / steps + 1;
  std::vector<GradientBand> bands;
  bands.reserve(static_cast<std::size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) {
    const int percent = (i * 100) / steps;
    GradientBand band;
    band.top = i * band_height;
    band.bottom = band.top + band_height;
    band.color = Rgb{Blend(start.red, end.red, percent), Blend(start.green, end.green, percent),
                     Blend(start.blue, end.blue, percent)};
    bands.push_back(band);
  }
  return bands;
}

}  // namespace qb::app
