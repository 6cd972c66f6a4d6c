#include "guardian/popup_watch.h"

#include <algorithm>
#include <utility>

#include "guardian/popup_blocker.h"

namespace qb::guardian {

bool PopupWatch::Holds(const std::vector<Waiting>& list, platform::WindowId window) {
  return std::any_of(list.begin(), list.end(),
                     [&](const Waiting& waiting) { return waiting.id == window; });
}

void PopupWatch::Named(platform::WindowId window) {
  if (overflowed_ || Holds(now_, window)) return;
  // Announced again (shown now, say): looked at with the next look, and
  // its count of looks goes on.
  int looks = 0;
  const auto later = std::find_if(later_.begin(), later_.end(),
                                  [&](const Waiting& waiting) { return waiting.id == window; });
  if (later != later_.end()) {
    looks = later->looks;
    later_.erase(later);
  }
  ForNextLook({window, looks});
}

void PopupWatch::ForNextLook(const Waiting& waiting) {
  if (now_.size() >= kMaxWaiting) {
    overflowed_ = true;
    now_.clear();
    return;
  }
  now_.push_back(waiting);
}

void PopupWatch::Check(platform::WindowList& windows) {
  if (std::exchange(overflowed_, false)) {
    now_.clear();
    RunPopupPass(windows);
    return;
  }
  for (const Waiting& waiting : std::exchange(now_, {})) {
    if (CheckNewWindow(windows, waiting.id) != NewWindowCheck::kNotYet) continue;
    if (waiting.looks + 1 >= kMaxLooks || later_.size() >= kMaxWaiting) continue;
    if (!Holds(later_, waiting.id)) later_.push_back({waiting.id, waiting.looks + 1});
  }
}

void PopupWatch::Due() {
  for (const Waiting& waiting : std::exchange(later_, {})) {
    if (!overflowed_ && !Holds(now_, waiting.id)) ForNextLook(waiting);
  }
}

void PopupWatch::Clear() {
  now_.clear();
  later_.clear();
  overflowed_ = false;
}

}  // namespace qb::guardian
