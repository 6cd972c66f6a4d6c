#include "platform/win32/win32_code_page.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "sample_code_page_932.h"

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
  for (int byte = 0; byte < 256; ++byte) EXPECT_FALSE(system.IsLeadByte(byte)) << byte;
}

// Run by a test entry of its own in the Japanese code page, 932, which the
// native tests' sample copies: its lead bytes and its characters whose
// second byte is "\".
TEST(Win32CodePage932, AgreesWithTheSampleOnLeadBytesAndItsCharacters) {
  ASSERT_EQ(::GetACP(), 932u) << "run with LC_ALL=ja_JP.UTF-8";
  const Win32CodePage system;
  const qb::testing::SampleCodePage932 sample;
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(system.IsLeadByte(byte), sample.IsLeadByte(byte)) << byte;
  }
  const std::u16string characters = u"a\\\u8868\u30BD\u80FD";
  EXPECT_EQ(system.Encode(characters), sample.Encode(characters));
  EXPECT_EQ(system.Decode(sample.Encode(characters)), characters);
  EXPECT_FALSE(system.IsText("\x85\x40"));
  EXPECT_FALSE(sample.IsText("\x85\x40"));
  EXPECT_FALSE(system.IsText("a\x95"));
  EXPECT_FALSE(sample.IsText("a\x95"));
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
