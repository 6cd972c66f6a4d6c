// The index.dat dump over any bytes, against a model of what the pane must
// show, written apart from it. The first two bytes of the input choose how
// often the dump asks to show (1 to 256 bytes) and at which chance a stop
// arrives (0: none); the rest is the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "promo/index_dump.h"

namespace {

using qb::promo::kDumpLineWidth;

class Target : public qb::promo::DumpTarget {
 public:
  explicit Target(bool& stop, int stop_at) : stop_(stop), stop_at_(stop_at) {}

  void SetRange(std::int64_t last) override { last_ = last; }
  void AddLines(std::u16string_view lines) override {
    if (lines.empty() || lines.size() % kDumpLineWidth != 0) std::abort();
    text_.append(lines);
  }
  void SetProgress(std::int64_t position) override {
    if (position < 0 || position > last_) std::abort();
    progress_ = position;
  }
  bool ShouldShow() override { return true; }
  void ProcessMessages() override {
    // Every line up to the position shown is there, and nothing beyond.
    if (text_.size() != static_cast<std::size_t>(progress_ + 1) / kDumpLineWidth * kDumpLineWidth) {
      std::abort();
    }
    shown_ = static_cast<std::size_t>(progress_ + 1);
    if (++chances_ == stop_at_) stop_ = true;
  }

  const std::u16string& text() const { return text_; }
  std::int64_t progress() const { return progress_; }
  std::int64_t last() const { return last_; }
  std::size_t shown() const { return shown_; }

 private:
  bool& stop_;
  int stop_at_;
  int chances_ = 0;
  std::int64_t last_ = -1;
  std::int64_t progress_ = -1;
  std::size_t shown_ = 0;
  std::u16string text_;
};

// The file, given in pieces that fall across the dump's own steps.
class Pieces : public qb::platform::ByteSource {
 public:
  Pieces(const std::uint8_t* bytes, std::size_t count, std::size_t piece)
      : rest_(bytes, count), piece_(piece) {}
  std::size_t Read(std::span<std::uint8_t> buffer) override {
    const std::size_t count = std::min({buffer.size(), rest_.size(), piece_});
    std::copy_n(rest_.begin(), count, buffer.begin());
    rest_ = rest_.subspan(count);
    return count;
  }

 private:
  std::span<const std::uint8_t> rest_;
  std::size_t piece_;
};

std::u16string Model(const std::uint8_t* bytes, std::size_t count) {
  std::u16string text;
  for (std::size_t i = 0; i < count; ++i) {
    text += bytes[i] < 32 ? u'.' : static_cast<char16_t>(0x100 + bytes[i]);
  }
  while (text.size() % kDumpLineWidth != 0) text += u' ';
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t poll = data[0] + 1u;
  const int stop_at = data[1];
  const std::uint8_t* bytes = data + 2;
  const std::size_t count = size - 2;
  qb::promo::CodePageTable characters{};
  for (int b = 0; b < 256; ++b) characters[b] = static_cast<char16_t>(0x100 + b);

  bool stop = false;
  Target target(stop, stop_at);
  Pieces file(bytes, count, poll + 7);
  qb::promo::DumpAsText(count, file, characters, target, stop, poll);
  if (count == 0) {
    if (!target.text().empty() || target.last() != 0) std::abort();
    return 0;
  }
  if (target.last() != static_cast<std::int64_t>(count - 1)) std::abort();
  if (target.progress() != static_cast<std::int64_t>(count - 1)) std::abort();
  // Stopped, the pane holds the bytes up to the last one shown.
  const std::size_t dumped = stop ? target.shown() : count;
  if (target.text() != Model(bytes, dumped)) std::abort();
  return 0;
}
