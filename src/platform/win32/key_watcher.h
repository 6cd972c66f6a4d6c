#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "platform/win32/key_watch.h"
#include "platform/win32/unique_handle.h"

namespace qb::win32 {

// Watches registry keys on a thread of its own, which sleeps until the
// registry signals a change, and calls `on_change` there with the key's
// token whenever a key changes (see KeyWatch). `on_change` runs on that
// thread: it must only pass the news on.
class KeyWatcher {
 public:
  struct Entry {
    WatchedKey key;
    unsigned token = 0;
  };
  using OnChange = std::function<void(unsigned token)>;

  // Returns once every key is watched; running() is false when the thread
  // could not start, and nothing is watched then.
  KeyWatcher(const std::vector<Entry>& entries, OnChange on_change);
  // Stops the thread and waits for it.
  ~KeyWatcher();
  KeyWatcher(const KeyWatcher&) = delete;
  KeyWatcher& operator=(const KeyWatcher&) = delete;

  bool running() const { return running_; }
  // How often the thread has woken for a notification.
  long wakes() const { return wakes_.load(); }

 private:
  struct Watch {
    std::unique_ptr<KeyWatch> watch;
    unsigned token = 0;
  };
  static DWORD WINAPI ThreadMain(LPVOID self);
  void Loop();

  std::vector<Watch> watches_;
  OnChange on_change_;
  UniqueKernelHandle stop_;
  UniqueKernelHandle ready_;
  UniqueKernelHandle thread_;
  bool running_ = false;
  std::atomic<long> wakes_{0};
};

}  // namespace qb::win32
