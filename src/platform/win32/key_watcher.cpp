#include "platform/win32/key_watcher.h"

#include <utility>

namespace qb::win32 {

KeyWatcher::KeyWatcher(const std::vector<Entry>& entries, OnChange on_change)
    : on_change_(std::move(on_change)) {
  for (const Entry& entry : entries) {
    watches_.push_back({std::make_unique<KeyWatch>(entry.key), entry.token});
    KeyWatch& watch = *watches_.back().watch;
    watch.Arm();
    for (std::size_t level = 0; level < watch.levels(); ++level) {
      events_.push_back(watch.event(level));
      sources_.push_back({watches_.size() - 1, level});
    }
  }
}

void KeyWatcher::Serve(std::size_t event) {
  ++wakes_;
  const Source source = sources_.at(event);
  const Watch& watch = watches_[source.watch];
  if (watch.watch->Signalled(source.level)) on_change_(watch.token);
}

}  // namespace qb::win32
