// The GIF decoder over any bytes: an answer for each, never a read outside
// them, and a decoded image whose pixels fill its rectangle.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "promo/widgets/gif_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const qb::Parsed<qb::promo::PixelImage> image = qb::promo::DecodeGif(std::span(data, size));
  if (!image) {
    if (image.problem().empty()) std::abort();
    return 0;
  }
  if (image->width <= 0 || image->height <= 0 ||
      std::int64_t{image->width} * image->height > qb::promo::kMaxGifPixels ||
      image->pixels.size() != static_cast<std::size_t>(image->width) * image->height) {
    std::abort();
  }
  for (const std::uint32_t pixel : image->pixels) {
    if (pixel > 0xFFFFFF) std::abort();
  }
  return 0;
}
