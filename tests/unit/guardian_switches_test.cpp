#include <gtest/gtest.h>

#include <cstdlib>

#include "guardian/state_label.h"
#include "guardian/switches.h"

namespace qb::guardian {
namespace {

TEST(SwitchTest, TheWholeFirstArgumentInAnyLetterCase) {
  EXPECT_TRUE(IsSwitch("NOHIDE", kNoHide));
  EXPECT_TRUE(IsSwitch("nohide", kNoHide));
  EXPECT_TRUE(IsSwitch("NoHint", kNoHint));
  EXPECT_FALSE(IsSwitch("/NOHIDE", kNoHide));
  EXPECT_FALSE(IsSwitch("-nohint", kNoHint));
  EXPECT_FALSE(IsSwitch("NOHID", kNoHide));
  EXPECT_FALSE(IsSwitch("NOHIDEX", kNoHide));
  EXPECT_FALSE(IsSwitch("", kNoHide));
  EXPECT_FALSE(IsSwitch("NOHINT", kNoHide));
}

// Whatever the widths, the label's centre is the caption's to half a
// pixel (an odd difference cannot do better), and a narrower label stays
// within the caption.
TEST(StateLabelTest, TheLabelIsCentredUnderTheCaptionWhateverTheWidths) {
  for (int left : {-7, 0, 56}) {
    for (int caption_width = 0; caption_width <= 40; ++caption_width) {
      for (int width = 0; width <= 40; ++width) {
        SCOPED_TRACE(::testing::Message() << left << ", " << caption_width << ", " << width);
        const int label_left = CenteredLeft(left, caption_width, width);
        // Twice each centre, to stay in whole pixels.
        ASSERT_LE(std::abs((2 * label_left + width) - (2 * left + caption_width)), 1);
        if (width <= caption_width) {
          ASSERT_GE(label_left, left);
          ASSERT_LE(label_left + width, left + caption_width);
        }
      }
    }
  }
}

}  // namespace
}  // namespace qb::guardian
