#include "scanner/helper_objects.h"

#include "registry/registry_key.h"

namespace qb::scanner {

std::string ClsidFromKeyName(std::string_view key_name) {
  if (key_name.empty()) return {};
  return std::string(key_name.substr(1, 36));
}

std::vector<std::string> RegisteredObjectNames(platform::RegistryBackend& registry) {
  registry::RegistryKey key(registry, platform::RegistryRoot::LocalMachine);
  if (!key.OpenKey(kBrowserHelperObjectsKey, false)) return {};
  return key.SubkeyNames();
}

std::vector<std::string> FindSuspiciousObjects(platform::RegistryBackend& registry,
                                               const lists::ClsidLists& lists) {
  std::vector<std::string> suspicious;
  for (const std::string& name : RegisteredObjectNames(registry)) {
    std::string clsid = ClsidFromKeyName(name);
    if (!lists.known.Contains(clsid) && !lists.ignored.Contains(clsid)) {
      suspicious.push_back(std::move(clsid));
    }
  }
  return suspicious;
}

}  // namespace qb::scanner
