#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/byte_source.h"
#include "platform/code_page.h"

namespace qb::promo {

// Bytes per line of the dump.
inline constexpr std::size_t kDumpLineWidth = 26;
// Bytes between two questions whether to show what was read.
inline constexpr std::size_t kDumpPollBytes = 4096;
// Bytes asked of the file at a time: what the dump holds of it at most.
inline constexpr std::size_t kDumpReadBytes = 64 * 1024;
// At most this many characters wait to be handed on between two shows.
inline constexpr std::size_t kDumpBatchCharacters = std::size_t{1} << 16;

// The characters of the system's ANSI code page, by byte value.
using CodePageTable = std::array<char16_t, 256>;

// The table of `code_page`, byte by byte; a byte that is no character on
// its own (a lead byte of a double-byte code page) shows as '?'.
CodePageTable CodePageTableOf(const platform::CodePage& code_page);

// Where a dump goes: the pane, the progress bar, and the window, which must
// stay responsive while it runs.
class DumpTarget {
 public:
  virtual ~DumpTarget() = default;

  // Before the first byte: the progress will run from 0 to `last`.
  virtual void SetRange(std::int64_t last) = 0;
  // Whole lines of kDumpLineWidth characters each, without separators.
  virtual void AddLines(std::u16string_view lines) = 0;
  virtual void SetProgress(std::int64_t position) = 0;
  // Asked every few thousand bytes, so it must be cheap: whether the lines
  // read so far should be shown now (because time has passed, or because
  // input waits).
  virtual bool ShouldShow() = 0;
  // Lets the window handle what waits: paints, clicks, keys. A stop request
  // is made here.
  virtual void ProcessMessages() = 0;
};

// `DumpAsText`: shows the first `size` bytes of `source` as lines of 26
// characters, '.' for a byte below 32 and the code page's character for any
// other. The bytes are read in pieces of at most kDumpReadBytes as the dump
// goes, so that a file of any size costs no more memory than that, and a
// stop works from the first piece. Lines reach the target as they are
// read, in batches, each batch followed by the position of the last byte it
// holds and a chance for the window to run (between two chances, batches of
// whole lines may go on unshown). Once `stop_requested` is set (by
// ProcessMessages) no further byte is read. A source that ends early ends
// the dump. At the end, stopped or not, the last line is handed on padded
// with spaces, and the progress is set to `size` - 1. No bytes give no line.
void DumpAsText(std::uint64_t size, platform::ByteSource& source, const CodePageTable& characters,
                DumpTarget& target, const bool& stop_requested,
                std::size_t poll_bytes = kDumpPollBytes);

// The same over bytes in memory.
void DumpAsText(std::span<const std::uint8_t> bytes, const CodePageTable& characters,
                DumpTarget& target, const bool& stop_requested,
                std::size_t poll_bytes = kDumpPollBytes);

}  // namespace qb::promo
