#include "lists/list_text.h"

#include <gtest/gtest.h>

namespace qb::lists {
namespace {

using Lines = std::vector<std::string>;

TEST(ParseListText, LinesEndAtCrLfCrOrLf) {
  EXPECT_EQ(ParseListText("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(ParseListText("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(ParseListText("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(ParseListText, ABreakAtTheEndAddsNoEntryButEmptyLinesDo) {
  EXPECT_EQ(ParseListText("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(ParseListText("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(ParseListText("\r\n"), (Lines{""}));
  EXPECT_EQ(ParseListText("a\r"), (Lines{"a"}));
  EXPECT_EQ(ParseListText(""), Lines{});
}

TEST(ParseListText, NothingIsTrimmedAndTextAfterANulIsIgnored) {
  EXPECT_EQ(ParseListText(" a \r\n{B}\t"), (Lines{" a ", "{B}\t"}));
  EXPECT_EQ(ParseListText(std::string("a\r\nb\0c\r\nd", 9)), (Lines{"a", "b"}));
  EXPECT_EQ(ParseListText(std::string("\0a", 2)), Lines{});
}

TEST(FormatListText, EveryEntryEndsWithCrLf) {
  EXPECT_EQ(FormatListText({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(FormatListText({}), "");
}

TEST(ListText, AFileSurvivesARoundTripExceptForItsLineBreaks) {
  const Lines lines = ParseListText("x\ny\rz");
  EXPECT_EQ(FormatListText(lines), "x\r\ny\r\nz\r\n");
  EXPECT_EQ(ParseListText(FormatListText(lines)), lines);
}

}  // namespace
}  // namespace qb::lists
