#include "promo/widgets/edit_messages.h"

#include <algorithm>

namespace qb::promo {
namespace {

LRESULT CopyText(const LineStore& lines, WPARAM room, LPARAM buffer) {
  if (room == 0) return 0;
  const std::u16string& text = lines.text();
  const std::size_t copied = std::min<std::size_t>(text.size(), room - 1);
  auto* target = reinterpret_cast<char16_t*>(buffer);
  std::copy_n(text.data(), copied, target);
  target[copied] = u'\0';
  return static_cast<LRESULT>(copied);
}

// The buffer's first word holds its size in characters; no zero is added.
LRESULT CopyLine(const LineStore& lines, WPARAM index, LPARAM buffer) {
  auto* target = reinterpret_cast<char16_t*>(buffer);
  const std::size_t room = *reinterpret_cast<const WORD*>(buffer);
  if (index >= lines.LineCount()) return 0;
  const std::u16string_view line = lines.Line(index);
  const std::size_t copied = std::min(room, line.size());
  std::copy_n(line.data(), copied, target);
  return static_cast<LRESULT>(copied);
}

LRESULT CopySelection(const LineStore& lines, WPARAM start, LPARAM end) {
  const LineStore::Selection& selection = lines.selection();
  if (start) *reinterpret_cast<DWORD*>(start) = static_cast<DWORD>(selection.start());
  if (end) *reinterpret_cast<DWORD*>(end) = static_cast<DWORD>(selection.end());
  // -1 when either does not fit in a word.
  if (selection.end() > 0xFFFF) return -1;
  return MAKELRESULT(selection.start(), selection.end());
}

}  // namespace

std::optional<LRESULT> AnswerEditQuery(const LineStore& lines, UINT message, WPARAM wparam,
                                       LPARAM lparam) {
  switch (message) {
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(lines.text().size());
    case WM_GETTEXT:
      return CopyText(lines, wparam, lparam);
    case EM_GETLINECOUNT:
      // The empty line after the last line end counts too.
      return static_cast<LRESULT>(lines.LineCount() + 1);
    case EM_GETLINE:
      return CopyLine(lines, wparam, lparam);
    case EM_GETSEL:
      return CopySelection(lines, wparam, lparam);
    default:
      return std::nullopt;
  }
}

LineStore::Selection RequestedSelection(const LineStore& lines, WPARAM start, LPARAM end) {
  // Ints: a start of -1 drops the selection where its caret is; any other
  // value below 0 stands for the end of the text.
  const auto from = static_cast<int>(start);
  const auto to = static_cast<int>(end);
  const std::size_t caret = lines.selection().caret;
  if (from == -1) return {caret, caret};
  const std::size_t whole = lines.text().size();
  return {from < 0 ? whole : static_cast<std::size_t>(from),
          to < 0 ? whole : static_cast<std::size_t>(to)};
}

}  // namespace qb::promo
