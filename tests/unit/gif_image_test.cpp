#include "promo/widgets/gif_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <vector>

namespace qb::promo {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A plain LZW encoder of the test's own, as GIF encoders work: strings
// grow by one index per code, the width grows when the table reaches it, and
// a full table starts again with a clear code.
Bytes EncodeLzw(const std::vector<std::uint8_t>& indices, int min_code_size) {
  const int clear = 1 << min_code_size;
  Bytes out;
  std::uint32_t buffer = 0;
  int buffered = 0;
  int width = min_code_size + 1;
  const auto emit = [&](int code) {
    buffer |= static_cast<std::uint32_t>(code) << buffered;
    buffered += width;
    while (buffered >= 8) {
      out.push_back(static_cast<std::uint8_t>(buffer));
      buffer >>= 8;
      buffered -= 8;
    }
  };
  std::map<std::pair<int, int>, int> table;
  int next = clear + 2;
  emit(clear);
  int string = -1;
  for (const std::uint8_t index : indices) {
    if (string < 0) {
      string = index;
      continue;
    }
    const auto found = table.find({string, index});
    if (found != table.end()) {
      string = found->second;
      continue;
    }
    emit(string);
    if (next < 4096) {
      table[{string, index}] = next++;
      if (next - 1 == (1 << width) && width < 12) ++width;
    } else {
      emit(clear);
      table.clear();
      next = clear + 2;
      width = min_code_size + 1;
    }
    string = index;
  }
  if (string >= 0) {
    emit(string);
    // The decoder adds an entry for this code too, and reads the end with
    // the width that follows from it.
    if (next < 4096 && ++next - 1 == (1 << width) && width < 12) ++width;
  }
  emit(clear + 1);
  if (buffered > 0) out.push_back(static_cast<std::uint8_t>(buffer));
  return out;
}

struct Picture {
  int width;
  int height;
  int min_code_size;
  std::vector<std::uint32_t> colours;  // 0xRRGGBB
  std::vector<std::uint8_t> indices;   // in the order the file stores the rows
  bool interlaced = false;
};

void Word(Bytes& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// The colour table at the size its flags give: 2 << bits entries.
void Table(Bytes& out, const std::vector<std::uint32_t>& colours, int bits) {
  for (int i = 0; i < (2 << bits); ++i) {
    const std::uint32_t colour = i < static_cast<int>(colours.size()) ? colours[i] : 0;
    out.insert(out.end(),
               {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                static_cast<std::uint8_t>(colour)});
  }
}

// A GIF89a with a comment, a graphic control extension and one image whose
// colours are in a local table when `local` is set, else in the global one.
Bytes Gif(const Picture& picture, bool local = false) {
  int bits = 0;
  while ((2 << bits) < static_cast<int>(picture.colours.size())) ++bits;
  Bytes out{'G', 'I', 'F', '8', '9', 'a'};
  Word(out, picture.width);
  Word(out, picture.height);
  out.push_back(local ? 0 : static_cast<std::uint8_t>(0x80 | bits));
  out.insert(out.end(), {0, 0});
  if (!local) Table(out, picture.colours, bits);
  out.insert(out.end(), {0x21, 0xFE, 3, 'h', 'i', '!', 0});
  out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, 3, 0});
  out.push_back(0x2C);
  Word(out, 0);
  Word(out, 0);
  Word(out, picture.width);
  Word(out, picture.height);
  out.push_back(
      static_cast<std::uint8_t>((local ? 0x80 | bits : 0) | (picture.interlaced ? 0x40 : 0)));
  if (local) Table(out, picture.colours, bits);
  out.push_back(static_cast<std::uint8_t>(picture.min_code_size));
  const Bytes data = EncodeLzw(picture.indices, picture.min_code_size);
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t length = std::min<std::size_t>(255, data.size() - at);
    out.push_back(static_cast<std::uint8_t>(length));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
               data.begin() + static_cast<std::ptrdiff_t>(at + length));
  }
  out.insert(out.end(), {0, 0x3B});
  return out;
}

// The example every description of the format walks through: 10 by 10, four
// colours, 22 bytes of codes; checked against another decoder.
TEST(GifImageTest, TheTextbookSampleDecodesToItsKnownPixels) {
  const Bytes sample = {'G',  'I',  'F',  '8',  '9',  'a',  0x0A, 0x00, 0x0A, 0x00, 0x91, 0x00,
                        0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00,
                        0x00, 0x21, 0xF9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
                        0x00, 0x00, 0x0A, 0x00, 0x0A, 0x00, 0x00, 0x02, 0x16, 0x8C, 0x2D, 0x99,
                        0x87, 0x2A, 0x1C, 0xDC, 0x33, 0xA0, 0x02, 0x75, 0xEC, 0x95, 0xFA, 0xA8,
                        0xDE, 0x60, 0x8C, 0x04, 0x91, 0x4C, 0x01, 0x00, 0x3B};
  const std::uint32_t colours[] = {0xFFFFFF, 0xFF0000, 0x0000FF, 0x000000};
  const char* rows[] = {"1111122222", "1111122222", "1111122222", "1110000222", "1110000222",
                        "2220000111", "2220000111", "2222211111", "2222211111", "2222211111"};
  const Parsed<PixelImage> image = DecodeGif(sample);
  ASSERT_TRUE(image) << image.problem();
  ASSERT_EQ(image->width, 10);
  ASSERT_EQ(image->height, 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      EXPECT_EQ(image->pixels[y * 10 + x], colours[rows[y][x] - '0']) << x << "," << y;
    }
  }
}

// Round trips through the encoder: every code width, a table that fills
// and starts again, runs that make the code one past the table, local
// tables and interlaced rows.
TEST(GifImageTest, WhatAnEncoderWritesComesBackPixelForPixel) {
  std::mt19937 random(20261208);
  for (int min_code_size = 2; min_code_size <= 8; ++min_code_size) {
    for (bool interlaced : {false, true}) {
      SCOPED_TRACE(testing::Message() << min_code_size << (interlaced ? " interlaced" : ""));
      Picture picture{97, 61, min_code_size, {}, {}, interlaced};
      const int colours = 1 << min_code_size;
      for (int i = 0; i < colours; ++i) picture.colours.push_back(random() & 0xFFFFFF);
      // Rows of noise and rows of long runs.
      std::vector<std::uint8_t> by_row(static_cast<std::size_t>(picture.width * picture.height));
      for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
          by_row[y * picture.width + x] =
              static_cast<std::uint8_t>(y % 3 == 0 ? y % colours : random() % colours);
        }
      }
      std::vector<int> order;
      if (interlaced) {
        for (auto [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
          for (int y = start; y < picture.height; y += step) order.push_back(y);
        }
      } else {
        for (int y = 0; y < picture.height; ++y) order.push_back(y);
      }
      for (int y : order) {
        picture.indices.insert(picture.indices.end(), by_row.begin() + y * picture.width,
                               by_row.begin() + (y + 1) * picture.width);
      }
      for (bool local : {false, true}) {
        const Parsed<PixelImage> image = DecodeGif(Gif(picture, local));
        ASSERT_TRUE(image) << image.problem();
        ASSERT_EQ(image->pixels.size(), by_row.size());
        for (std::size_t i = 0; i < by_row.size(); ++i) {
          ASSERT_EQ(image->pixels[i], picture.colours[by_row[i]]) << "pixel " << i;
        }
      }
    }
  }
}

TEST(GifImageTest, AnythingCutShortOrMalformedIsWrongAndNeverRead) {
  Picture picture{40, 30, 4, {0x102030, 0x405060, 0x708090}, {}, false};
  for (int i = 0; i < 40 * 30; ++i) picture.indices.push_back(static_cast<std::uint8_t>(i % 7 % 3));
  const Bytes good = Gif(picture);
  ASSERT_TRUE(DecodeGif(good));
  // Every cut is found, up to the file's last byte, which ends it after the
  // image and is never read.
  for (std::size_t length = 0; length + 1 < good.size(); ++length) {
    EXPECT_FALSE(DecodeGif(std::span(good.data(), length))) << "cut at " << length;
  }

  EXPECT_EQ(DecodeGif(Bytes{'G', 'I', 'F', '8', '8', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B}).problem(),
            "not a GIF picture");
  Bytes no_image = {'G', 'I', 'F', '8', '7', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B};
  EXPECT_EQ(DecodeGif(no_image).problem(), "the picture holds no image");
  no_image.back() = 0x99;
  EXPECT_EQ(DecodeGif(no_image).problem(), "the picture is malformed");

  const auto with_descriptor = [&](int width, int height, std::uint8_t flags) {
    Bytes gif(good.begin(), good.begin() + 13 + 3 * 4);  // header and the global table
    gif.push_back(0x2C);
    Word(gif, 0);
    Word(gif, 0);
    Word(gif, width);
    Word(gif, height);
    gif.push_back(flags);
    gif.insert(gif.end(), {2, 2, 0x44, 0x01, 0, 0x3B});  // min size 2: one index, then the end
    return DecodeGif(gif);
  };
  EXPECT_TRUE(with_descriptor(1, 1, 0)) << with_descriptor(1, 1, 0).problem();
  EXPECT_EQ(with_descriptor(0, 5, 0).problem(), "the image is empty");
  EXPECT_EQ(with_descriptor(65535, 65535, 0).problem(), "the image is too large");
  EXPECT_EQ(with_descriptor(2, 1, 0).problem(), "the image data is malformed or cut short");

  Bytes no_table = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0,    0,    0, 0x2C, 0,
                    0,   0,   0,   1,   0,   1,   0, 0, 2, 2, 0x44, 0x01, 0, 0x3B};
  EXPECT_EQ(DecodeGif(no_table).problem(), "the image has no colour table");

  // A code past the table: after the clear (4) and index 0, three bits
  // each, comes 7 while the table's next entry is 6.
  const Bytes past_table = {'G', 'I', 'F', '8', '9', 'a', 2,   0,    1,    0, 0x80, 0,
                            0,   0,   0,   0,   255, 255, 255, 0x2C, 0,    0, 0,    0,
                            2,   0,   1,   0,   0,   2,   2,   0xC4, 0x01, 0, 0x3B};
  EXPECT_EQ(DecodeGif(past_table).problem(), "the image data is malformed or cut short");
}

}  // namespace
}  // namespace qb::promo
