#include "promo/index_dump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

namespace qb::promo {
namespace {

// Latin-1 stands in for the ANSI code page; the window layer supplies the
// real one.
CodePageTable Latin1() {
  CodePageTable table{};
  std::iota(table.begin(), table.end(), char16_t{0});
  return table;
}

// Records what the dump hands on: every batch of lines, and, at each
// chance the window gets, the lines and the progress shown until then.
class RecordingTarget : public DumpTarget {
 public:
  void SetRange(std::int64_t last) override { range_last = last; }
  void AddLines(std::u16string_view lines) override {
    EXPECT_EQ(lines.size() % kDumpLineWidth, 0u);
    for (std::size_t at = 0; at < lines.size(); at += kDumpLineWidth) {
      this->lines.emplace_back(lines.substr(at, kDumpLineWidth));
    }
    ++batches;
    largest_batch = std::max(largest_batch, lines.size());
  }
  void SetProgress(std::int64_t position) override { progress = position; }
  bool ShouldShow() override { return show_every == 0 ? false : ++asked % show_every == 0; }
  void ProcessMessages() override {
    shown_at.push_back({lines.size(), progress});
    if (on_messages) on_messages();
  }

  struct Shown {
    std::size_t lines;
    std::int64_t progress;
  };
  std::int64_t range_last = -99;
  std::int64_t progress = -99;
  std::vector<std::u16string> lines;
  int batches = 0;
  std::size_t largest_batch = 0;
  int show_every = 1;
  int asked = 0;
  std::vector<Shown> shown_at;
  std::function<void()> on_messages;
};

std::vector<std::uint8_t> Letters(std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>('A' + i % 26);
  return bytes;
}

TEST(DumpAsText, FiftyThreeBytesGiveTwoFullLinesAndOneOfOneCharacter) {
  RecordingTarget target;
  const bool stop = false;
  std::vector<std::uint8_t> bytes = Letters(53);
  bytes[52] = '#';
  DumpAsText(bytes, Latin1(), target, stop);
  ASSERT_EQ(target.lines.size(), 3u);
  EXPECT_EQ(target.lines[0], u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(target.lines[1], u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(target.lines[2], u"#" + std::u16string(25, u' '));
  EXPECT_EQ(target.range_last, 52);
  EXPECT_EQ(target.progress, 52);
}

TEST(DumpAsText, ControlBytesShowAsDotsAndTheRestInTheCodePage) {
  std::vector<std::uint8_t> bytes;
  for (int b = 0; b < 32; ++b) bytes.push_back(static_cast<std::uint8_t>(b));
  for (int b : {32, 127, 128, 160, 255}) bytes.push_back(static_cast<std::uint8_t>(b));
  // A code page whose characters all differ from their byte values shows
  // that every byte from 32 on goes through it.
  CodePageTable shifted{};
  for (int b = 0; b < 256; ++b) shifted[b] = static_cast<char16_t>(0x2000 + b);
  RecordingTarget target;
  const bool stop = false;
  DumpAsText(bytes, shifted, target, stop);
  ASSERT_EQ(target.lines.size(), 2u);
  EXPECT_EQ(target.lines[0], std::u16string(26, u'.'));
  EXPECT_EQ(target.lines[1],
            u"......"
            u"\x2020\x207F\x2080\x20A0\x20FF" +
                std::u16string(15, u' '));

  RecordingTarget latin;
  DumpAsText(std::vector<std::uint8_t>{' ', 255, 'x'}, Latin1(), latin, stop);
  ASSERT_EQ(latin.lines.size(), 1u);
  EXPECT_EQ(latin.lines[0], u" \u00FFx" + std::u16string(23, u' '));
}

TEST(DumpAsText, ExactMultiplesOfTheLineGiveNoEmptyLine) {
  RecordingTarget target;
  const bool stop = false;
  DumpAsText(Letters(52), Latin1(), target, stop);
  EXPECT_EQ(target.lines.size(), 2u);
  RecordingTarget one;
  DumpAsText(Letters(1), Latin1(), one, stop);
  ASSERT_EQ(one.lines.size(), 1u);
  EXPECT_EQ(one.range_last, 0);
  EXPECT_EQ(one.progress, 0);
}

TEST(DumpAsText, AnEmptyFileGivesNoLineAndAnEmptyRange) {
  RecordingTarget target;
  const bool stop = false;
  DumpAsText({}, Latin1(), target, stop);
  EXPECT_TRUE(target.lines.empty());
  EXPECT_EQ(target.range_last, 0);
  EXPECT_EQ(target.progress, -99);
  EXPECT_TRUE(target.shown_at.empty());
}

// Lines appear as they are read: whenever the window gets to run, it has
// every whole line up to the position it is shown, and nothing beyond.
TEST(DumpAsText, TheWindowSeesTheLinesUpToTheBytesShown) {
  RecordingTarget target;
  const bool stop = false;
  DumpAsText(Letters(1000), Latin1(), target, stop, 100);
  ASSERT_EQ(target.shown_at.size(), 10u);
  for (const auto& shown : target.shown_at) {
    EXPECT_EQ(shown.lines, static_cast<std::size_t>(shown.progress + 1) / kDumpLineWidth);
  }
  EXPECT_EQ(target.shown_at.front().progress, 99);
  EXPECT_EQ(target.shown_at.back().progress, 999);
  EXPECT_EQ(target.lines.size(), 39u);  // 1000 / 26, rounded up
  EXPECT_EQ(target.lines.back(), u"ABCDEFGHIJKL" + std::u16string(14, u' '));
}

TEST(DumpAsText, WithoutAChanceToShowEverythingArrivesAtTheEnd) {
  RecordingTarget target;
  target.show_every = 0;
  const bool stop = false;
  DumpAsText(Letters(1000), Latin1(), target, stop, 100);
  EXPECT_TRUE(target.shown_at.empty());
  EXPECT_EQ(target.batches, 1);
  EXPECT_EQ(target.lines.size(), 39u);
}

// What waits to be handed on stays small, whatever the file's size.
TEST(DumpAsText, WithoutAChanceToShowLargeFilesStillGoInBoundedBatches) {
  RecordingTarget target;
  target.show_every = 0;
  const bool stop = false;
  DumpAsText(Letters(1000000), Latin1(), target, stop);
  EXPECT_GT(target.batches, 1);
  EXPECT_LE(target.largest_batch, kDumpBatchCharacters + kDumpPollBytes);
  EXPECT_EQ(target.lines.size(), (1000000u + 25) / 26);
  EXPECT_EQ(target.lines[20000], u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

TEST(DumpAsText, AStopKeepsTheLinesUpToTheLastByteShown) {
  RecordingTarget target;
  bool stop = false;
  // The stop arrives at the third chance, after byte 29.
  target.on_messages = [&] { stop = target.shown_at.size() == 3; };
  DumpAsText(Letters(100), Latin1(), target, stop, 10);
  ASSERT_EQ(target.lines.size(), 2u);
  EXPECT_EQ(target.lines[0], u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(target.lines[1], u"ABCD" + std::u16string(22, u' '));
  // The bar shows the end all the same.
  EXPECT_EQ(target.progress, 99);
  EXPECT_EQ(target.shown_at.size(), 3u);
}

TEST(DumpAsText, AStopAtALineEndAddsNoEmptyLine) {
  RecordingTarget target;
  bool stop = false;
  target.on_messages = [&] { stop = true; };
  DumpAsText(Letters(100), Latin1(), target, stop, 52);
  EXPECT_EQ(target.lines.size(), 2u);
  EXPECT_EQ(target.progress, 99);
}

// A file that gives up to `size` letters, however many pieces it is asked
// for, and notes what it was asked.
class LetterFile : public platform::ByteSource {
 public:
  explicit LetterFile(std::uint64_t size) : left_(size) {}
  std::size_t Read(std::span<std::uint8_t> buffer) override {
    largest_request = std::max(largest_request, buffer.size());
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), left_));
    for (std::size_t i = 0; i < count; ++i)
      buffer[i] = static_cast<std::uint8_t>('A' + read++ % 26);
    left_ -= count;
    return count;
  }
  std::size_t largest_request = 0;
  std::uint64_t read = 0;

 private:
  std::uint64_t left_;
};

// A huge file is read as the dump goes, in bounded pieces: a stop at the
// first chance has cost one piece, not the file. A file that turns out
// shorter than it said ends the dump where it ends.
TEST(DumpAsText, AFileIsReadInBoundedPiecesAsTheDumpGoes) {
  const std::uint64_t gib = std::uint64_t{1} << 30;
  LetterFile huge(gib);
  RecordingTarget target;
  bool stop = false;
  target.on_messages = [&] { stop = true; };
  DumpAsText(gib, huge, Latin1(), target, stop);
  EXPECT_LE(huge.largest_request, kDumpReadBytes);
  EXPECT_LE(huge.read, kDumpReadBytes);
  EXPECT_EQ(target.range_last, static_cast<std::int64_t>(gib - 1));
  EXPECT_EQ(target.progress, static_cast<std::int64_t>(gib - 1));
  EXPECT_EQ(target.lines.size(), (kDumpPollBytes + 25) / 26);

  LetterFile shorter(60);
  RecordingTarget whole;
  const bool no_stop = false;
  DumpAsText(100, shorter, Latin1(), whole, no_stop);
  ASSERT_EQ(whole.lines.size(), 3u);
  EXPECT_EQ(whole.lines[2], u"ABCDEFGH" + std::u16string(18, u' '));
  EXPECT_EQ(whole.progress, 99);
}

}  // namespace
}  // namespace qb::promo
