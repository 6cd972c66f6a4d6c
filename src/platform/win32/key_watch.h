#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/registry_backend.h"
#include "platform/win32/unique_handle.h"

namespace qb::win32 {

// What a watch reports of the key itself, besides its coming and going.
enum class KeyChanges { kSubkeys, kValues };

struct WatchedKey {
  platform::RegistryRoot root = platform::RegistryRoot::CurrentUser;
  platform::RegistryView view = platform::RegistryView::k64;
  std::u16string path;  // below the root, names joined by "\"
  KeyChanges changes = KeyChanges::kSubkeys;
};

// One key watched with the registry's notifications, level by level: the
// root and each key on the path that exists for subkeys that come or go, and
// the key itself, when it exists, for the changes asked. So the key's
// deletion and return are seen at any depth, also under Wine, which does not
// signal the notification of a key that is deleted. Arm it and handle its
// events on one thread, which must live as long as the watch: Windows drops
// a thread's notifications when the thread ends.
class KeyWatch {
 public:
  explicit KeyWatch(const WatchedKey& key);
  KeyWatch(const KeyWatch&) = delete;
  KeyWatch& operator=(const KeyWatch&) = delete;

  // One event per level, the root's first and the key's last; a level's
  // event is signalled when a change there has been seen.
  std::size_t levels() const { return events_.size(); }
  HANDLE event(std::size_t level) const { return events_[level].get(); }

  // Opens every level that exists and asks for its notification.
  void Arm() { ArmFrom(0); }
  // After the event of `level` was signalled: watches again; true when the
  // key changed (what was asked, or it came or went), false when only a
  // sibling of a level came or went.
  bool Signalled(std::size_t level);
  bool key_open() const { return static_cast<bool>(keys_.back()); }

 private:
  // Closes the levels from `level` down and opens and arms them again, as
  // far as they exist.
  void ArmFrom(std::size_t level);
  bool Notify(std::size_t level);
  // The first level that is not open or whose key has been deleted.
  std::size_t FirstLostLevel() const;

  HKEY root_;
  REGSAM view_;
  DWORD key_filter_;
  std::vector<std::wstring> paths_;  // each level's path from the root; "" for the root
  std::vector<UniqueHkey> keys_;
  std::vector<UniqueKernelHandle> events_;
};

}  // namespace qb::win32
