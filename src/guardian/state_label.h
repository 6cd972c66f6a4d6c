#pragma once

// Where `lTimerState` goes under `lCaption`.
namespace qb::guardian {

// The left edge that centres a label `width` wide under one at `left` that
// is `caption_width` wide; the halving truncates toward zero, so a wider
// label moves left of the caption.
constexpr int CenteredLeft(int left, int caption_width, int width) {
  return left + (caption_width - width) / 2;
}

}  // namespace qb::guardian
