#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/memory_registry.h"
#include "platform/registry_backend.h"

namespace qb::testing {

// Every key below a path with every value, names, types and bytes, as the
// registry holds them: what a test compares before and after.
using RegistrySnapshot =
    std::vector<std::pair<std::u16string, std::vector<platform::NamedValue>>>;

inline void TakeSnapshot(platform::OpenRegistryKey& key, const std::u16string& path,
                         RegistrySnapshot& snapshot) {
  snapshot.emplace_back(path, key.Values());
  for (const std::u16string& name : key.SubkeyNames()) {
    platform::RegistryStatus status;
    if (auto child = key.OpenSubkey(name, platform::KeyAccess::Read, status)) {
      TakeSnapshot(*child, path.empty() ? name : path + u"\\" + name, snapshot);
    }
  }
}

// The machine's keys below `path` ("" for all of them) in the 64-bit view;
// empty when there is no such key.
inline RegistrySnapshot SnapshotOf(platform::MemoryRegistry& registry, const std::u16string& path) {
  RegistrySnapshot snapshot;
  platform::RegistryStatus status;
  if (auto key = registry.Open(platform::RegistryRoot::LocalMachine, platform::RegistryView::k64,
                               path, platform::KeyAccess::Read, status)) {
    TakeSnapshot(*key, path, snapshot);
  }
  return snapshot;
}

}  // namespace qb::testing
