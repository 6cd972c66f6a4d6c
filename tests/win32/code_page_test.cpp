#include "platform/win32/win32_code_page.h"

#include <gtest/gtest.h>

#include "platform/code_page.h"

namespace qb::win32 {
namespace {

// The tests run with the western ANSI code page, which the native tests'
// stand-in copies: both must agree on every byte.
TEST(Win32CodePage, AgreesWithTheStandInOnEveryByte) {
  const Win32CodePage system;
  const platform::Windows1252 stand_in;
  std::string bytes;
  for (int byte = 1; byte < 256; ++byte) bytes += static_cast<char>(byte);
  EXPECT_EQ(system.Decode(bytes), stand_in.Decode(bytes));
  EXPECT_EQ(system.Encode(system.Decode(bytes)), bytes);
  EXPECT_TRUE(system.Carries(system.Decode(bytes)));
}

TEST(Win32CodePage, WhatItLacksBecomesNoLookAlike) {
  const Win32CodePage system;
  EXPECT_FALSE(system.Carries(u"\u4E2D"));
  EXPECT_FALSE(system.Carries(u"\u0100"));  // A with macron, best fit would give "A"
  EXPECT_NE(system.Encode(u"\u0100"), "A");
  EXPECT_FALSE(system.Carries(u"\xD800"));
  EXPECT_TRUE(system.Carries(std::u16string(u"a\0b", 3)));
}

}  // namespace
}  // namespace qb::win32
