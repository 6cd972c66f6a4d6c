#include "app/gradient.h"

#include <gtest/gtest.h>

namespace qb::app {
namespace {

constexpr Rgb kTop{217, 215, 185};
constexpr Rgb kBottom{155, 137, 72};

void ExpectContiguous(const std::vector<GradientBand>& bands, int band_height) {
  for (std::size_t i = 0; i < bands.size(); ++i) {
    EXPECT_EQ(bands[i].top, static_cast<int>(i) * band_height);
    EXPECT_EQ(bands[i].bottom - bands[i].top, band_height);
  }
}

TEST(GradientBands, DeepColourAndATallWindowGive251Bands) {
  const auto bands = GradientBands(505, 32, kTop, kBottom);
  ASSERT_EQ(bands.size(), 251u);
  ExpectContiguous(bands, 505 / 250 + 1);
  EXPECT_EQ(bands.front().color, kTop);
  EXPECT_EQ(bands.back().color, kBottom);
}

TEST(GradientBands, AtExactly250PixelsTheStepsStopGrowing) {
  EXPECT_EQ(GradientBands(250, 24, kTop, kBottom).size(), 251u);
  EXPECT_EQ(GradientBands(249, 24, kTop, kBottom).size(), 250u);
}

TEST(GradientBands, AWindowBelow250PixelsGetsTwoPixelBands) {
  const auto bands = GradientBands(100, 16, kTop, kBottom);
  ASSERT_EQ(bands.size(), 101u);
  ExpectContiguous(bands, 2);
  EXPECT_EQ(bands.back().color, kBottom);
}

TEST(GradientBands, An8BitDisplayGets51Bands) {
  const auto bands = GradientBands(505, 8, kTop, kBottom);
  ASSERT_EQ(bands.size(), 51u);
  ExpectContiguous(bands, 505 / 50 + 1);
  EXPECT_EQ(bands.back().color, kBottom);
  EXPECT_EQ(GradientBands(51, 8, kTop, kBottom).size(), 51u);
  EXPECT_EQ(GradientBands(30, 8, kTop, kBottom).size(), 31u);
}

TEST(GradientBands, ADisplayBelow8BitsGets5Bands) {
  const auto bands = GradientBands(505, 4, kTop, kBottom);
  ASSERT_EQ(bands.size(), 5u);
  ExpectContiguous(bands, 505 / 4 + 1);
  EXPECT_EQ(GradientBands(20, 1, kTop, kBottom).size(), 5u);
}

TEST(GradientBands, ChannelsMoveWithTruncatingArithmetic) {
  // n = 250 at 505 pixels: band 1 is at p = 0, band 3 at p = 1.
  const auto bands = GradientBands(505, 32, kTop, kBottom);
  EXPECT_EQ(bands[1].color, kTop);
  EXPECT_EQ(bands[3].color, (Rgb{217 - 62 / 100, 215 - 78 / 100, 185 - 113 / 100}));
  // p = 50 at the middle band: the start minus half the distance, truncated.
  EXPECT_EQ(bands[125].color, (Rgb{217 - 31, 215 - 39, 185 - 56}));
  // Rising channels add.
  const auto rising = GradientBands(100, 32, Rgb{0, 10, 255}, Rgb{255, 20, 0});
  EXPECT_EQ(rising[50].color, (Rgb{127, 15, 128}));
}

TEST(GradientBands, ADegenerateWindowStillGetsAValidBand) {
  const auto bands = GradientBands(0, 32, kTop, kBottom);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands.back().color, kBottom);
}

}  // namespace
}  // namespace qb::app
