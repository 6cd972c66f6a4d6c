#pragma once

#include <cstddef>
#include <vector>

#include "platform/window_list.h"

namespace qb::guardian {

// The top-level windows that window events named, until the pop-up rule has
// looked at them. A browser window is often announced before it is shown or
// has its title: it is looked at again a few times, a moment later each
// time; after that the tick's pass looks at it as at any other window.
class PopupWatch {
 public:
  // More windows than this waiting, and the rule looks at every visible
  // window once instead: a program that makes windows by the thousand costs
  // one pass, not a list that grows.
  static constexpr std::size_t kMaxWaiting = 64;
  // How often a browser window that is not shown or titled yet is looked at.
  static constexpr int kMaxLooks = 50;

  // A window event named `window`.
  void Named(platform::WindowId window);
  // The rule looks at the windows named since the last look; those not shown
  // or titled yet wait for Due().
  void Check(platform::WindowList& windows);
  // Whether windows wait for another look.
  bool waiting_for_later() const { return !later_.empty(); }
  // The windows that wait for another look are to be looked at now.
  void Due();
  bool empty() const { return now_.empty() && later_.empty() && !overflowed_; }
  void Clear();

 private:
  struct Waiting {
    platform::WindowId id = 0;
    int looks = 0;
  };
  static bool Holds(const std::vector<Waiting>& list, platform::WindowId window);
  // Onto the next look's list; past kMaxWaiting the next look is a pass
  // over every visible window instead.
  void ForNextLook(const Waiting& waiting);

  std::vector<Waiting> now_;
  std::vector<Waiting> later_;
  bool overflowed_ = false;
};

}  // namespace qb::guardian
