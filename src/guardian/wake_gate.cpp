#include "guardian/wake_gate.h"

#include <utility>

namespace qb::guardian {

void WakeGate::Raise(unsigned changes) {
  const unsigned before = state_.fetch_or(changes | kInFlight);
  if ((before & kInFlight) == 0) Post();
}

void WakeGate::Post() {
  // A message that could not be posted is not on its way: the next Raise
  // or the end of the work tries again.
  if (!post_ || !post_()) state_.fetch_and(~kInFlight);
}

unsigned WakeGate::Wake() {
  if (working_) {
    // The message is spent, but the changes stay marked as on their way, so
    // that nothing is posted until EndWork.
    waited_ = true;
    return 0;
  }
  return state_.exchange(0) & ~kInFlight;
}

void WakeGate::EndWork() {
  working_ = false;
  if (std::exchange(waited_, false)) {
    state_.fetch_or(kInFlight);
    Post();
    return;
  }
  // Changes whose message could not be posted.
  unsigned state = state_.load();
  while (state != 0 && (state & kInFlight) == 0) {
    if (state_.compare_exchange_weak(state, state | kInFlight)) {
      Post();
      return;
    }
  }
}

}  // namespace qb::guardian
