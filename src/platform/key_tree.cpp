#include "platform/key_tree.h"

namespace qb::platform {
namespace {

RegistryStatus DeleteBelow(OpenRegistryKey& parent, std::u16string_view name, int depth) {
  RegistryStatus status;
  const auto key = parent.OpenSubkey(name, KeyAccess::Read, status);
  if (!key) return status;
  RegistryStatus first_failure = RegistryStatus::Ok();
  if (depth >= kMaxKeyDepth) {
    first_failure = RegistryStatus{RegistryStatusKind::Failed, 0};
  } else {
    for (const std::u16string& child : key->SubkeyNames()) {
      const RegistryStatus child_status = DeleteBelow(*key, child, depth + 1);
      if (!child_status.ok() && first_failure.ok()) first_failure = child_status;
    }
  }
  const RegistryStatus own = parent.DeleteSubkey(name);
  return first_failure.ok() ? own : first_failure;
}

}  // namespace

RegistryStatus DeleteKeyTree(OpenRegistryKey& parent, std::u16string_view name) {
  const RegistryStatus status = DeleteBelow(parent, name, 1);
  if (!status.ok()) return status;
  RegistryStatus still_there;
  if (parent.OpenSubkey(name, KeyAccess::Read, still_there)) {
    return RegistryStatus{RegistryStatusKind::Failed, 0};
  }
  return RegistryStatus::Ok();
}

}  // namespace qb::platform
