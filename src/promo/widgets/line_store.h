#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qb::promo {

// The lines of a text pane, kept as the pane's window text: every line
// followed by CR LF, as a memo keeps it, with where each line starts.
// Adding lines costs only their own length, however much is held.
//
// A position is an offset into that text, as an edit control counts them.
// The selection runs from its anchor, where it was started, to its caret;
// adding lines never moves it.
class LineStore {
 public:
  struct Selection {
    std::size_t anchor = 0;
    std::size_t caret = 0;

    std::size_t start() const { return std::min(anchor, caret); }
    std::size_t end() const { return std::max(anchor, caret); }
    bool empty() const { return anchor == caret; }
  };

  // Empties the store and drops the selection.
  void Clear() { Replace({}); }
  // Makes room for so many more characters and lines, when the caller
  // knows how many will come.
  void Reserve(std::size_t characters, std::size_t lines);
  // Adds the lines of `block`, each `width` characters long; a rest
  // shorter than `width` is left out.
  void AppendLines(std::u16string_view block, std::size_t width);
  // Replaces everything with the lines of `text`, which end at each LF (a
  // CR before it is dropped) and at the end of `text`. Drops the selection.
  void Replace(std::u16string_view text);

  const std::u16string& text() const { return text_; }
  std::size_t LineCount() const { return starts_.size(); }
  std::size_t LongestLine() const { return longest_; }
  // The line `index` (below LineCount()) without its line end.
  std::u16string_view Line(std::size_t index) const;
  std::size_t LineStart(std::size_t index) const { return starts_[index]; }
  // The line that holds `position`; its line end and the end of the text
  // belong to it. 0 when there are no lines.
  std::size_t LineOf(std::size_t position) const;
  // The position of `column` in line `index`, no further than its end.
  std::size_t PositionOf(std::size_t index, std::size_t column) const;

  const Selection& selection() const { return selection_; }
  // A position beyond the text stands for its end; one between a CR and
  // its LF for the end of that line.
  void Select(std::size_t anchor, std::size_t caret);
  void SelectAll() { Select(0, text_.size()); }
  std::u16string_view SelectedText() const;
  // What a copy takes: the selection, or the whole text when nothing is
  // selected.
  std::u16string_view CopyText() const;

 private:
  std::size_t Valid(std::size_t position) const;

  std::u16string text_;
  std::vector<std::size_t> starts_;
  std::size_t longest_ = 0;
  Selection selection_;
};

}  // namespace qb::promo
