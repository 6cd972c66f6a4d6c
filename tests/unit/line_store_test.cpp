#include "promo/widgets/line_store.h"

#include <gtest/gtest.h>

namespace qb::promo {
namespace {

TEST(LineStoreTest, KeepsLinesAppendedInBatchesOrReplacedFromTextAsTheWindowText) {
  LineStore store;
  store.AppendLines(u"abcdef", 3);
  store.AppendLines(u"ghijk", 2);  // the rest shorter than a line is left out
  EXPECT_EQ(store.text(), u"abc\r\ndef\r\ngh\r\nij\r\n");
  ASSERT_EQ(store.LineCount(), 4u);
  EXPECT_EQ(store.Line(1), u"def");
  EXPECT_EQ(store.Line(3), u"ij");
  EXPECT_EQ(store.LongestLine(), 3u);

  store.Replace(u"one\r\n\ntwo\nthr\ree");
  EXPECT_EQ(store.text(), u"one\r\n\r\ntwo\r\nthr\ree\r\n");
  ASSERT_EQ(store.LineCount(), 4u);
  EXPECT_EQ(store.Line(1), u"");
  EXPECT_EQ(store.Line(3), u"thr\ree");
  store.Replace(u"last\r\n");
  EXPECT_EQ(store.LineCount(), 1u);
  store.Clear();
  EXPECT_EQ(store.text(), u"");
  EXPECT_EQ(store.LineCount(), 0u);
}

TEST(LineStoreTest, TheSelectionSpansLinesAndAppendingNeverMovesIt) {
  LineStore store;
  store.AppendLines(u"abcdefghi", 3);
  EXPECT_EQ(store.CopyText(), store.text()) << "nothing selected copies everything";
  // From the caret back to the anchor, across two line ends.
  store.Select(store.PositionOf(2, 2), store.PositionOf(0, 1));
  EXPECT_EQ(store.SelectedText(), u"bc\r\ndef\r\ngh");
  EXPECT_EQ(store.LineOf(store.selection().anchor), 2u);
  store.AppendLines(u"jklmno", 3);
  EXPECT_EQ(store.SelectedText(), u"bc\r\ndef\r\ngh");
  EXPECT_EQ(store.CopyText(), u"bc\r\ndef\r\ngh");

  // Between a CR and its LF is the line's end; beyond the text its end.
  store.Select(4, 1000);
  EXPECT_EQ(store.selection().start(), 3u);
  EXPECT_EQ(store.SelectedText(), store.text().substr(3));
  EXPECT_EQ(store.PositionOf(1, 99), 8u);
  EXPECT_EQ(store.LineOf(store.text().size()), 4u);
  store.SelectAll();
  EXPECT_EQ(store.SelectedText(), store.text());
  store.Replace(u"new");
  EXPECT_TRUE(store.selection().empty());
  EXPECT_EQ(store.CopyText(), u"new\r\n");
}

}  // namespace
}  // namespace qb::promo
