#include "promo/index_dump.h"

#include <algorithm>
#include <string>

namespace qb::promo {

void DumpAsText(std::span<const std::uint8_t> bytes, const CodePageTable& characters,
                DumpTarget& target, const bool& stop_requested, std::size_t poll_bytes) {
  const std::size_t n = bytes.size();
  if (n == 0) {
    target.SetRange(0);
    return;
  }
  target.SetRange(static_cast<std::int64_t>(n - 1));
  poll_bytes = std::max<std::size_t>(poll_bytes, 1);
  CodePageTable shown = characters;
  std::fill(shown.begin(), shown.begin() + 0x20, u'.');

  // The characters read and not yet handed on: whole lines, then the line
  // being filled.
  std::u16string pending;
  pending.reserve(std::min(n, kDumpBatchCharacters) + poll_bytes + kDumpLineWidth);
  const auto hand_on_whole_lines = [&] {
    const std::size_t whole = pending.size() - pending.size() % kDumpLineWidth;
    if (whole == 0) return;
    target.AddLines(std::u16string_view(pending).substr(0, whole));
    pending.erase(0, whole);
  };
  std::size_t i = 0;
  while (i < n && !stop_requested) {
    const std::size_t end = std::min(n, i + poll_bytes);
    const std::size_t filled = pending.size();
    pending.resize(filled + (end - i));
    char16_t* out = pending.data() + filled;
    for (; i < end; ++i) *out++ = shown[bytes[i]];
    const bool show = target.ShouldShow();
    if (show || pending.size() >= kDumpBatchCharacters) hand_on_whole_lines();
    if (!show) continue;
    target.SetProgress(static_cast<std::int64_t>(i - 1));
    target.ProcessMessages();
  }
  if (const std::size_t partial = pending.size() % kDumpLineWidth; partial > 0) {
    pending.append(kDumpLineWidth - partial, u' ');
  }
  if (!pending.empty()) target.AddLines(pending);
  target.SetProgress(static_cast<std::int64_t>(n - 1));
}

}  // namespace qb::promo
