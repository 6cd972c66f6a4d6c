#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/parsed.h"

namespace qb::promo {

// A picture as 32-bit pixels, 0x00RRGGBB (blue, green, red and a zero byte
// in memory), rows from the top.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// The first image of a GIF (87a or 89a): its own rectangle, interlaced or
// not, in the colours of its local or the global table; transparency is
// not kept, a transparent pixel shows its table colour. A decoder of its own
// costs the banner no imaging library, which would hold more than a
// megabyte for one picture. Wrong for anything cut short or malformed, and
// for an image of more than kMaxGifPixels.
Parsed<PixelImage> DecodeGif(std::span<const std::uint8_t> bytes);

inline constexpr std::int64_t kMaxGifPixels = 16 * 1024 * 1024;

}  // namespace qb::promo
