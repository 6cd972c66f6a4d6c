#include "scanner/helper_objects.h"

#include "platform/utf.h"
#include "registry/registry_key.h"

namespace qb::scanner {

std::u16string ClsidFromKeyName(std::u16string_view key_name) {
  return std::u16string(platform::CharacterRange(key_name, 1, 36));
}

std::vector<std::u16string> RegisteredObjectNames(platform::RegistryBackend& registry) {
  registry::RegistryKey key(registry, platform::RegistryRoot::LocalMachine);
  if (!key.OpenKey(kBrowserHelperObjectsKey, false)) return {};
  return key.SubkeyNames();
}

bool ListMembership::Known(std::u16string_view clsid) const {
  return lists.known.Contains(code_page.Encode(clsid));
}

bool ListMembership::Ignored(std::u16string_view clsid) const {
  return lists.ignored.Contains(code_page.Encode(clsid));
}

bool ListMembership::Blocked(std::u16string_view clsid) const {
  return lists.blocked.Contains(code_page.Encode(clsid));
}

std::vector<std::u16string> FindSuspiciousObjects(platform::RegistryBackend& registry,
                                                  const ListMembership& membership) {
  std::vector<std::u16string> suspicious;
  for (const std::u16string& name : RegisteredObjectNames(registry)) {
    std::u16string clsid = ClsidFromKeyName(name);
    if (!membership.Known(clsid) && !membership.Ignored(clsid)) {
      suspicious.push_back(std::move(clsid));
    }
  }
  return suspicious;
}

}  // namespace qb::scanner
