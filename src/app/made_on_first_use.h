#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace qb::app {

// A window that starts hidden, made the first time it is needed and kept
// until the program ends: a start-up pays only for what its first paint
// shows.
template <typename Window>
class MadeOnFirstUse {
 public:
  explicit MadeOnFirstUse(std::function<std::unique_ptr<Window>()> make) : make_(std::move(make)) {}
  MadeOnFirstUse(const MadeOnFirstUse&) = delete;
  MadeOnFirstUse& operator=(const MadeOnFirstUse&) = delete;

  Window& operator*() {
    if (!window_) window_ = make_();
    return *window_;
  }
  Window* operator->() { return &**this; }

 private:
  std::function<std::unique_ptr<Window>()> make_;
  std::unique_ptr<Window> window_;
};

}  // namespace qb::app
