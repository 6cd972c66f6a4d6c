#include "app/gradient.h"

#include <gtest/gtest.h>

#include <utility>

namespace qb::app {
namespace {

constexpr Rgb kTop{217, 215, 185};
constexpr Rgb kBottom{155, 137, 72};

constexpr std::uint8_t Rgb::*kChannels[] = {&Rgb::red, &Rgb::green, &Rgb::blue};

// The bands tile the window from its top down to its bottom (drawing clips
// what runs past it), all one height, without gap or overlap; the first has
// the top colour, the last the bottom colour, and each channel in between
// moves only toward the bottom colour's.
::testing::AssertionResult IsGradient(const std::vector<GradientBand>& bands, int height, Rgb top,
                                      Rgb bottom) {
  if (bands.empty() || bands.front().top != 0 || bands.front().bottom <= 0 ||
      bands.back().bottom < height) {
    return ::testing::AssertionFailure() << "the window is not covered";
  }
  if (bands.front().color != top || bands.back().color != bottom) {
    return ::testing::AssertionFailure() << "the ends are not the two colours";
  }
  for (std::size_t i = 1; i < bands.size(); ++i) {
    if (bands[i].top != bands[i - 1].bottom ||
        bands[i].bottom - bands[i].top != bands.front().bottom) {
      return ::testing::AssertionFailure() << "band " << i << " at " << bands[i].top;
    }
    for (const auto channel : kChannels) {
      const int step = bands[i].color.*channel - bands[i - 1].color.*channel;
      const int way = bottom.*channel - top.*channel;
      if (step * way < 0 || (way == 0 && step != 0)) {
        return ::testing::AssertionFailure() << "a channel turns back at band " << i;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(GradientBands, DeepColourAndATallWindowGive251Bands) {
  EXPECT_EQ(GradientBands(505, 32, kTop, kBottom).size(), 251u);
}

TEST(GradientBands, AtExactly250PixelsTheStepsStopGrowing) {
  EXPECT_EQ(GradientBands(250, 24, kTop, kBottom).size(), 251u);
  EXPECT_EQ(GradientBands(249, 24, kTop, kBottom).size(), 250u);
}

TEST(GradientBands, AWindowBelow250PixelsGetsTwoPixelBands) {
  const auto bands = GradientBands(100, 16, kTop, kBottom);
  ASSERT_EQ(bands.size(), 101u);
  EXPECT_EQ(bands.front().bottom, 2);
}

TEST(GradientBands, An8BitDisplayGets51Bands) {
  EXPECT_EQ(GradientBands(505, 8, kTop, kBottom).size(), 51u);
  EXPECT_EQ(GradientBands(51, 8, kTop, kBottom).size(), 51u);
  EXPECT_EQ(GradientBands(30, 8, kTop, kBottom).size(), 31u);
}

TEST(GradientBands, ADisplayBelow8BitsGets5Bands) {
  EXPECT_EQ(GradientBands(505, 4, kTop, kBottom).size(), 5u);
  EXPECT_EQ(GradientBands(20, 1, kTop, kBottom).size(), 5u);
}

// Falling, rising and unchanged channels, at any height and colour depth.
TEST(GradientBands, ColoursRunSteadilyFromTheTopColourToTheBottomColour) {
  const std::pair<Rgb, Rgb> colours[] = {
      {kTop, kBottom}, {Rgb{0, 10, 255}, Rgb{255, 20, 0}}, {Rgb{7, 7, 7}, Rgb{7, 7, 7}}};
  for (const auto& [top, bottom] : colours) {
    for (int height : {0, 1, 2, 30, 51, 100, 249, 250, 251, 505, 2000}) {
      for (int bits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(::testing::Message() << height << " pixels, " << bits << " bits");
        EXPECT_TRUE(IsGradient(GradientBands(height, bits, top, bottom), height, top, bottom));
      }
    }
  }
}

TEST(GradientBands, ADegenerateWindowStillGetsAValidBand) {
  const auto bands = GradientBands(0, 32, kTop, kBottom);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands.back().color, kBottom);
}

}  // namespace
}  // namespace qb::app
