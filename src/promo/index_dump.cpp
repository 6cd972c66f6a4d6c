#include "promo/index_dump.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qb::promo {

CodePageTable CodePageTableOf(const platform::CodePage& code_page) {
  CodePageTable table{};
  for (int byte = 0; byte < 256; ++byte) {
    const auto value = static_cast<unsigned char>(byte);
    const std::u16string character =
        code_page.IsLeadByte(value) ? u""
                                    : code_page.Decode(std::string(1, static_cast<char>(value)));
    table[value] = character.size() == 1 ? character[0] : u'?';
  }
  return table;
}

void DumpAsText(std::uint64_t size, platform::ByteSource& source, const CodePageTable& characters,
                DumpTarget& target, const bool& stop_requested, std::size_t poll_bytes) {
  if (size == 0) {
    target.SetRange(0);
    return;
  }
  target.SetRange(static_cast<std::int64_t>(size - 1));
  poll_bytes = std::max<std::size_t>(poll_bytes, 1);
  CodePageTable shown = characters;
  std::fill(shown.begin(), shown.begin() + 0x20, u'.');

  // The characters read and not yet handed on: whole lines, then the line
  // being filled.
  std::u16string pending;
  pending.reserve(std::min<std::uint64_t>(size, kDumpBatchCharacters) + poll_bytes +
                  kDumpLineWidth);
  const auto hand_on_whole_lines = [&] {
    const std::size_t whole = pending.size() - pending.size() % kDumpLineWidth;
    if (whole == 0) return;
    target.AddLines(std::u16string_view(pending).substr(0, whole));
    pending.erase(0, whole);
  };
  std::vector<std::uint8_t> piece(
      static_cast<std::size_t>(std::min<std::uint64_t>(size, kDumpReadBytes)));
  std::span<const std::uint8_t> unread;
  std::uint64_t done = 0;
  while (done < size && !stop_requested) {
    if (unread.empty()) {
      const auto wanted =
          static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), size - done));
      const std::size_t got = source.Read(std::span(piece).first(wanted));
      if (got == 0) break;
      unread = std::span<const std::uint8_t>(piece).first(got);
    }
    const std::size_t step = std::min(unread.size(), poll_bytes);
    const std::size_t filled = pending.size();
    pending.resize(filled + step);
    char16_t* out = pending.data() + filled;
    for (std::uint8_t byte : unread.first(step)) *out++ = shown[byte];
    unread = unread.subspan(step);
    done += step;
    const bool show = target.ShouldShow();
    if (show || pending.size() >= kDumpBatchCharacters) hand_on_whole_lines();
    if (!show) continue;
    target.SetProgress(static_cast<std::int64_t>(done - 1));
    target.ProcessMessages();
  }
  if (const std::size_t partial = pending.size() % kDumpLineWidth; partial > 0) {
    pending.append(kDumpLineWidth - partial, u' ');
  }
  if (!pending.empty()) target.AddLines(pending);
  target.SetProgress(static_cast<std::int64_t>(size - 1));
}

void DumpAsText(std::span<const std::uint8_t> bytes, const CodePageTable& characters,
                DumpTarget& target, const bool& stop_requested, std::size_t poll_bytes) {
  platform::SpanSource source(bytes);
  DumpAsText(bytes.size(), source, characters, target, stop_requested, poll_bytes);
}

}  // namespace qb::promo
