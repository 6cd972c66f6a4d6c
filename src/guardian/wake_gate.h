#pragma once

#include <atomic>
#include <functional>

namespace qb::guardian {

// What the guard's watches report as changed; a set of these bits.
enum Change : unsigned {
  kObjectsChanged = 1u << 0,    // a Browser Helper Objects key, in either view
  kStartPageChanged = 1u << 1,  // the start page's key or value
  kWindowsChanged = 1u << 2,    // top-level windows were made or shown
};
inline constexpr unsigned kEveryChange = kObjectsChanged | kStartPageChanged | kWindowsChanged;

// Between the watches, which report changes from any thread as fast as they
// come, and the window thread, which does the work: at most one wake-up
// message is on its way at any time, whatever it carries, and the work never
// runs while the tick's or an earlier event's work runs (an alert can be up
// for minutes); what comes meanwhile is served once that work has ended.
class WakeGate {
 public:
  // `post` sends the wake-up message to the window thread; false when it
  // could not, so that the next change tries again.
  explicit WakeGate(std::function<bool()> post) : post_(std::move(post)) {}

  // From any thread: records `changes` and posts, unless a wake-up message
  // is on its way or waits for the work to end.
  void Raise(unsigned changes);

  // The rest on the window thread only.
  // For the wake-up message: the changes to work on now. None while work
  // runs: they wait, and no further message is posted until it ends.
  unsigned Wake();
  // Around the tick's work and the events' work; the end posts again when
  // changes waited for it.
  void BeginWork() { working_ = true; }
  void EndWork();
  bool working() const { return working_; }
  // The guard stops: what was recorded is dropped.
  void Clear() { state_.store(0); }

 private:
  static constexpr unsigned kInFlight = 1u << 31;
  void Post();

  std::function<bool()> post_;
  // The recorded changes, and kInFlight while a message is on its way.
  std::atomic<unsigned> state_{0};
  bool working_ = false;
  bool waited_ = false;
};

}  // namespace qb::guardian
