#include "platform/win32/key_watch.h"

#include "platform/win32/win32_registry.h"

namespace qb::win32 {
namespace {

// "" for the root, then "A", "A\B", ... down to the whole path.
std::vector<std::wstring> LevelPaths(std::u16string_view path) {
  std::vector<std::wstring> paths{L""};
  for (std::size_t start = 0; start < path.size();) {
    std::size_t end = path.find(u'\\', start);
    if (end == std::u16string_view::npos) end = path.size();
    if (end > start) {
      const std::u16string_view level = path.substr(0, end);
      paths.emplace_back(level.begin(), level.end());
    }
    start = end + 1;
  }
  return paths;
}

bool Deleted(HKEY key) {
  return ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_KEY_DELETED;
}

}  // namespace

KeyWatch::KeyWatch(const WatchedKey& key)
    : root_(RootHandle(key.root)),
      view_(key.view == platform::RegistryView::k32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY),
      key_filter_(key.changes == KeyChanges::kValues ? REG_NOTIFY_CHANGE_LAST_SET
                                                     : REG_NOTIFY_CHANGE_NAME),
      paths_(LevelPaths(key.path)),
      keys_(paths_.size()) {
  for (std::size_t level = 0; level < paths_.size(); ++level) {
    // Auto-reset: one wait sees one signal.
    events_.emplace_back(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
  }
}

void KeyWatch::ArmFrom(std::size_t level) {
  for (std::size_t i = level; i < keys_.size(); ++i) {
    // Closing a key ends its notification, which signals its event (Wine).
    keys_[i].reset();
    ::ResetEvent(events_[i].get());
  }
  for (std::size_t i = level; i < keys_.size(); ++i) {
    if (::RegOpenKeyExW(root_, paths_[i].c_str(), 0, KEY_NOTIFY | KEY_QUERY_VALUE | view_,
                        keys_[i].put()) != ERROR_SUCCESS ||
        !Notify(i)) {
      // Missing (or closed to us): the level above says when it comes.
      keys_[i].reset();
      return;
    }
  }
}

bool KeyWatch::Notify(std::size_t level) {
  const bool last = level + 1 == keys_.size();
  return ::RegNotifyChangeKeyValue(keys_[level].get(), FALSE,
                                   last ? key_filter_ : REG_NOTIFY_CHANGE_NAME,
                                   events_[level].get(), TRUE) == ERROR_SUCCESS;
}

std::size_t KeyWatch::FirstLostLevel() const {
  for (std::size_t level = 0; level < keys_.size(); ++level) {
    if (!keys_[level] || Deleted(keys_[level].get())) return level;
  }
  return keys_.size();
}

bool KeyWatch::Signalled(std::size_t level) {
  const std::size_t key_level = keys_.size() - 1;
  if (!keys_[level]) return false;  // closed since; its level above watches
  const bool had_key = key_open();
  if (had_key && !Deleted(keys_[key_level].get())) {
    // The key is there, and so is every level above it: only the signalled
    // level is watched again.
    if (!Notify(level)) ArmFrom(level);
    return level == key_level;
  }
  const std::size_t lost = FirstLostLevel();
  if (level < lost && !Notify(level)) {
    ArmFrom(level);
  } else {
    ArmFrom(lost);
  }
  return had_key || key_open();
}

}  // namespace qb::win32
