#include "platform/win32/key_watcher.h"

#include <utility>

namespace qb::win32 {
namespace {

// How long the start may take before the watcher counts as not running.
constexpr DWORD kStartTimeoutMs = 10000;

// One of the events the thread waits on: which watch, which level.
struct Source {
  std::size_t watch = 0;
  std::size_t level = 0;
};

}  // namespace

KeyWatcher::KeyWatcher(const std::vector<Entry>& entries, OnChange on_change)
    : on_change_(std::move(on_change)),
      stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      ready_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  std::size_t events = 1;  // the stop event
  for (const Entry& entry : entries) {
    watches_.push_back({std::make_unique<KeyWatch>(entry.key), entry.token});
    events += watches_.back().watch->levels();
  }
  if (!stop_ || !ready_ || events > MAXIMUM_WAIT_OBJECTS) return;
  thread_.reset(::CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr));
  if (!thread_) return;
  const HANDLE started[] = {ready_.get(), thread_.get()};
  running_ = ::WaitForMultipleObjects(2, started, FALSE, kStartTimeoutMs) == WAIT_OBJECT_0;
}

KeyWatcher::~KeyWatcher() {
  if (!thread_) return;
  ::SetEvent(stop_.get());
  ::WaitForSingleObject(thread_.get(), INFINITE);
}

DWORD WINAPI KeyWatcher::ThreadMain(LPVOID self) {
  static_cast<KeyWatcher*>(self)->Loop();
  return 0;
}

void KeyWatcher::Loop() {
  std::vector<HANDLE> events;
  std::vector<Source> sources;
  for (std::size_t watch = 0; watch < watches_.size(); ++watch) {
    watches_[watch].watch->Arm();
    for (std::size_t level = 0; level < watches_[watch].watch->levels(); ++level) {
      events.push_back(watches_[watch].watch->event(level));
      sources.push_back({watch, level});
    }
  }
  ::SetEvent(ready_.get());

  // A wait reports the first signalled event of its list: the list starts
  // after the last one served, so that a key changed without pause cannot
  // keep the others from being served.
  std::vector<HANDLE> order(events.size() + 1);
  std::size_t next = 0;
  for (;;) {
    order[0] = stop_.get();
    for (std::size_t i = 0; i < events.size(); ++i) {
      order[i + 1] = events[(next + i) % events.size()];
    }
    const DWORD result =
        ::WaitForMultipleObjects(static_cast<DWORD>(order.size()), order.data(), FALSE, INFINITE);
    if (result == WAIT_OBJECT_0 || result >= WAIT_OBJECT_0 + order.size()) return;
    const std::size_t served = (next + (result - WAIT_OBJECT_0 - 1)) % events.size();
    next = served + 1;
    wakes_.fetch_add(1);
    const Source source = sources[served];
    if (watches_[source.watch].watch->Signalled(source.level)) {
      try {
        on_change_(watches_[source.watch].token);
      } catch (...) {
        // Nothing may leave the thread; the tick still watches.
      }
    }
  }
}

}  // namespace qb::win32
