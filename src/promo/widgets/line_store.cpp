#include "promo/widgets/line_store.h"

namespace qb::promo {
namespace {

constexpr std::u16string_view kLineEnd = u"\r\n";

}  // namespace

void LineStore::Reserve(std::size_t characters, std::size_t lines) {
  text_.reserve(text_.size() + characters + lines * kLineEnd.size());
  starts_.reserve(starts_.size() + lines);
}

void LineStore::AppendLines(std::u16string_view block, std::size_t width) {
  if (width == 0) return;
  const std::size_t count = block.size() / width;
  if (count == 0) return;
  // Both grow geometrically; an exact reservation per batch would copy
  // everything held at every batch.
  std::size_t at = text_.size();
  text_.resize(at + count * (width + kLineEnd.size()));
  char16_t* out = text_.data() + at;
  for (std::size_t line = 0; line < count; ++line) {
    starts_.push_back(at);
    out = std::copy_n(block.data() + line * width, width, out);
    out = std::copy(kLineEnd.begin(), kLineEnd.end(), out);
    at += width + kLineEnd.size();
  }
  longest_ = std::max(longest_, width);
}

void LineStore::Replace(std::u16string_view text) {
  text_.clear();
  starts_.clear();
  longest_ = 0;
  selection_ = {};
  while (!text.empty()) {
    const std::size_t end = text.find(u'\n');
    std::u16string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    starts_.push_back(text_.size());
    text_.append(line);
    text_.append(kLineEnd);
    longest_ = std::max(longest_, line.size());
    text = end == std::u16string_view::npos ? std::u16string_view() : text.substr(end + 1);
  }
}

std::u16string_view LineStore::Line(std::size_t index) const {
  const std::size_t end = index + 1 < starts_.size() ? starts_[index + 1] : text_.size();
  return std::u16string_view(text_).substr(starts_[index], end - starts_[index] - kLineEnd.size());
}

std::size_t LineStore::LineOf(std::size_t position) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), position);
  return after == starts_.begin() ? 0 : static_cast<std::size_t>(after - starts_.begin() - 1);
}

std::size_t LineStore::PositionOf(std::size_t index, std::size_t column) const {
  if (index >= starts_.size()) return text_.size();
  return starts_[index] + std::min(column, Line(index).size());
}

std::size_t LineStore::Valid(std::size_t position) const {
  if (position >= text_.size()) return text_.size();
  const std::size_t line = LineOf(position);
  return PositionOf(line, position - starts_[line]);
}

void LineStore::Select(std::size_t anchor, std::size_t caret) {
  selection_ = {Valid(anchor), Valid(caret)};
}

std::u16string_view LineStore::SelectedText() const {
  return std::u16string_view(text_).substr(selection_.start(),
                                           selection_.end() - selection_.start());
}

std::u16string_view LineStore::CopyText() const {
  return selection_.empty() ? std::u16string_view(text_) : SelectedText();
}

}  // namespace qb::promo
