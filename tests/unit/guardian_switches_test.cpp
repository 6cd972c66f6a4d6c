#include <gtest/gtest.h>

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

TEST(StateLabelTest, CentresUnderTheCaptionHalvingTowardZero) {
  EXPECT_EQ(CenteredLeft(56, 201, 201), 56);
  EXPECT_EQ(CenteredLeft(56, 201, 90), 56 + 55);   // 111 / 2 = 55
  EXPECT_EQ(CenteredLeft(56, 201, 130), 56 + 35);  // 71 / 2 = 35
  // Wider than the caption: left of it, -3 / 2 truncates to -1.
  EXPECT_EQ(CenteredLeft(56, 201, 204), 55);
  EXPECT_EQ(CenteredLeft(0, 10, 15), -2);
}

}  // namespace
}  // namespace qb::guardian
