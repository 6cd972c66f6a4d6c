#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/win32/key_watch.h"

namespace qb::win32 {

// Watches registry keys for the thread that makes it, which waits on
// events() (a message loop can, beside its messages) and calls Serve() for
// each one signalled; `on_change` then gets the key's token whenever a key
// changed (see KeyWatch). The thread must outlive the watcher: Windows drops
// a thread's notifications when the thread ends.
class KeyWatcher {
 public:
  struct Entry {
    WatchedKey key;
    unsigned token = 0;
  };
  using OnChange = std::function<void(unsigned token)>;

  // Every key is watched once it returns.
  KeyWatcher(const std::vector<Entry>& entries, OnChange on_change);
  KeyWatcher(const KeyWatcher&) = delete;
  KeyWatcher& operator=(const KeyWatcher&) = delete;

  // One auto-reset event per level of each key.
  const std::vector<HANDLE>& events() const { return events_; }
  // After events()[event] was signalled: watches again and reports.
  void Serve(std::size_t event);
  // How often an event was served.
  long wakes() const { return wakes_; }

 private:
  struct Source {
    std::size_t watch;
    std::size_t level;
  };
  struct Watch {
    std::unique_ptr<KeyWatch> watch;
    unsigned token = 0;
  };

  std::vector<Watch> watches_;
  std::vector<HANDLE> events_;
  std::vector<Source> sources_;
  OnChange on_change_;
  long wakes_ = 0;
};

}  // namespace qb::win32
