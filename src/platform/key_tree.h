#pragma once

#include <string_view>

#include "platform/registry_backend.h"

namespace qb::platform {

// The registry keeps keys at most 512 levels deep; a tree that claims to go
// deeper is not walked any further.
inline constexpr int kMaxKeyDepth = kMaxKeyLevels;

// Deletes the direct subkey `name` of `parent` with everything below it, each
// subkey's own subkeys first. Every key is reached through its parent by its
// exact counted name, so a name with a NUL inside never opens another key.
// The first failure is reported; a subkey that is still there afterwards
// never counts as deleted. A key that does not exist gives NotFound.
RegistryStatus DeleteKeyTree(OpenRegistryKey& parent, std::u16string_view name);

}  // namespace qb::platform
