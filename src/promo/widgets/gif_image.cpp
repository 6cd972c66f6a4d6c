#include "promo/widgets/gif_image.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace qb::promo {
namespace {

constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImage = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kHasColourTable = 0x80;
constexpr std::uint8_t kInterlaced = 0x40;
constexpr int kMaxCodes = 4096;  // codes are at most 12 bits wide

// Reads forward through the bytes; each call is false once they run out.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool Take(std::size_t count, std::span<const std::uint8_t>& taken) {
    if (bytes_.size() - at_ < count) return false;
    taken = bytes_.subspan(at_, count);
    at_ += count;
    return true;
  }
  bool Byte(std::uint8_t& value) {
    std::span<const std::uint8_t> taken;
    if (!Take(1, taken)) return false;
    value = taken[0];
    return true;
  }
  bool Word(int& value) {
    std::span<const std::uint8_t> taken;
    if (!Take(2, taken)) return false;
    value = taken[0] | (taken[1] << 8);
    return true;
  }
  // Sub-blocks up to the empty one that ends them, appended to `data` when
  // it is given.
  bool SubBlocks(std::vector<std::uint8_t>* data) {
    for (;;) {
      std::uint8_t length = 0;
      std::span<const std::uint8_t> block;
      if (!Byte(length) || !Take(length, block)) return false;
      if (length == 0) return true;
      if (data) data->insert(data->end(), block.begin(), block.end());
    }
  }
  // A colour table of 2 << (flags & 7) entries.
  bool ColourTable(std::uint8_t flags, std::vector<std::uint32_t>& colours) {
    std::span<const std::uint8_t> table;
    if (!Take(3 * (std::size_t{2} << (flags & 7)), table)) return false;
    colours.clear();
    for (std::size_t i = 0; i < table.size(); i += 3) {
      colours.push_back(std::uint32_t{table[i]} << 16 | std::uint32_t{table[i + 1]} << 8 |
                        table[i + 2]);
    }
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

// The colour indices of `count` pixels from the image's LZW codes; false
// for a code that cannot come or data that ends first.
bool DecodeLzw(const std::vector<std::uint8_t>& data, int min_code_size, std::size_t count,
               std::vector<std::uint8_t>& indices) {
  const int clear = 1 << min_code_size;
  const int end = clear + 1;
  // Each code's string is its prefix code's string and one more index.
  std::array<std::uint16_t, kMaxCodes> prefix{};
  std::array<std::uint8_t, kMaxCodes> suffix{};
  std::array<std::uint8_t, kMaxCodes> first{};  // the string's first index
  std::array<std::uint8_t, kMaxCodes> reversed{};
  for (int code = 0; code < clear; ++code) {
    suffix[code] = first[code] = static_cast<std::uint8_t>(code);
  }
  int width = min_code_size + 1;
  int next = clear + 2;
  int previous = -1;
  const std::size_t bits = data.size() * 8;
  std::size_t bit = 0;
  indices.clear();
  indices.reserve(count);
  while (indices.size() < count) {
    if (bits - bit < static_cast<std::size_t>(width)) return false;
    int code = 0;
    for (int i = 0; i < width; ++i, ++bit) code |= ((data[bit >> 3] >> (bit & 7)) & 1) << i;
    if (code == clear) {
      width = min_code_size + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) break;
    if (previous < 0) {
      if (code > clear) return false;
      indices.push_back(static_cast<std::uint8_t>(code));
      previous = code;
      continue;
    }
    // A code one past the table is the previous string and its own first
    // index (the encoder was a step ahead).
    const bool ahead = code == next;
    if (code > next || (ahead && next == kMaxCodes)) return false;
    const int string = ahead ? previous : code;
    const std::uint8_t head = first[string];
    std::size_t depth = 0;
    for (int link = string;; link = prefix[link]) {
      reversed[depth++] = suffix[link];
      if (link < clear) break;
    }
    while (depth > 0 && indices.size() < count) indices.push_back(reversed[--depth]);
    if (ahead && indices.size() < count) indices.push_back(head);
    if (next < kMaxCodes) {
      prefix[next] = static_cast<std::uint16_t>(previous);
      suffix[next] = head;
      first[next] = first[previous];
      ++next;
      if (next == (1 << width) && width < 12) ++width;
    }
    previous = code;
  }
  return indices.size() == count;
}

// Interlaced rows come in four passes: every eighth from 0, every eighth
// from 4, every fourth from 2, every second from 1.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(height));
  if (!interlaced) {
    for (int row = 0; row < height; ++row) rows.push_back(row);
    return rows;
  }
  constexpr int kStarts[] = {0, 4, 2, 1};
  constexpr int kSteps[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int row = kStarts[pass]; row < height; row += kSteps[pass]) rows.push_back(row);
  }
  return rows;
}

}  // namespace

Parsed<PixelImage> DecodeGif(std::span<const std::uint8_t> bytes) {
  using Wrong = Parsed<PixelImage>;
  Reader in(bytes);
  std::span<const std::uint8_t> signature;
  if (!in.Take(6, signature) || (std::memcmp(signature.data(), "GIF87a", 6) != 0 &&
                                 std::memcmp(signature.data(), "GIF89a", 6) != 0)) {
    return Wrong::Wrong("not a GIF picture");
  }
  int screen_width = 0;
  int screen_height = 0;
  std::uint8_t screen_flags = 0;
  std::span<const std::uint8_t> background_and_aspect;
  std::vector<std::uint32_t> global_colours;
  if (!in.Word(screen_width) || !in.Word(screen_height) || !in.Byte(screen_flags) ||
      !in.Take(2, background_and_aspect) ||
      ((screen_flags & kHasColourTable) && !in.ColourTable(screen_flags, global_colours))) {
    return Wrong::Wrong("the picture ends early");
  }
  for (;;) {
    std::uint8_t kind = 0;
    std::uint8_t label = 0;
    if (!in.Byte(kind)) return Wrong::Wrong("the picture ends early");
    if (kind == kTrailer) return Wrong::Wrong("the picture holds no image");
    if (kind == kExtension) {
      if (!in.Byte(label) || !in.SubBlocks(nullptr)) return Wrong::Wrong("the picture ends early");
      continue;
    }
    if (kind != kImage) return Wrong::Wrong("the picture is malformed");

    PixelImage image;
    int left = 0;
    int top = 0;
    std::uint8_t flags = 0;
    std::vector<std::uint32_t> local_colours;
    std::uint8_t min_code_size = 0;
    std::vector<std::uint8_t> data;
    if (!in.Word(left) || !in.Word(top) || !in.Word(image.width) || !in.Word(image.height) ||
        !in.Byte(flags) || ((flags & kHasColourTable) && !in.ColourTable(flags, local_colours)) ||
        !in.Byte(min_code_size) || !in.SubBlocks(&data)) {
      return Wrong::Wrong("the picture ends early");
    }
    if (image.width == 0 || image.height == 0) return Wrong::Wrong("the image is empty");
    const std::int64_t count = std::int64_t{image.width} * image.height;
    if (count > kMaxGifPixels) return Wrong::Wrong("the image is too large");
    const std::vector<std::uint32_t>& colours =
        (flags & kHasColourTable) ? local_colours : global_colours;
    if (colours.empty()) return Wrong::Wrong("the image has no colour table");
    std::vector<std::uint8_t> indices;
    if (min_code_size < 1 || min_code_size > 8 ||
        !DecodeLzw(data, min_code_size, static_cast<std::size_t>(count), indices)) {
      return Wrong::Wrong("the image data is malformed or cut short");
    }
    image.pixels.resize(static_cast<std::size_t>(count));
    const std::vector<int> rows = RowOrder(image.height, (flags & kInterlaced) != 0);
    const auto width = static_cast<std::size_t>(image.width);
    for (std::size_t source = 0; source < rows.size(); ++source) {
      for (std::size_t x = 0; x < width; ++x) {
        const std::uint8_t index = indices[source * width + x];
        // An index past the table shows black, as browsers show it.
        image.pixels[static_cast<std::size_t>(rows[source]) * width + x] =
            index < colours.size() ? colours[index] : 0;
      }
    }
    return image;
  }
}

}  // namespace qb::promo
