#include "scanner/helper_objects.h"

#include <algorithm>

#include "platform/utf.h"
#include "registry/registry_key.h"
#include "scanner/removal_paths.h"

namespace qb::scanner {
std::u16string ClsidFromKeyName(std::u16string_view key_name) {
  return std::u16string(platform::CharacterRange(key_name, 1, 36));
}

std::vector<std::u16string> RegisteredObjectNames(platform::RegistryBackend& registry,
                                                  platform::RegistryView view) {
  registry::RegistryKey key(registry, platform::RegistryRoot::LocalMachine, view);
  if (!key.OpenKey(kBrowserHelperObjectsKey, false)) return {};
  return key.SubkeyNames();
}

std::vector<RegisteredObject> RegisteredObjects(platform::RegistryBackend& registry) {
  std::vector<RegisteredObject> objects;
  const std::vector<platform::RegistryView> views = registry.Views();
  for (const std::u16string& name : RegisteredObjectNames(registry, views.front())) {
    objects.push_back({ClsidFromKeyName(name), {views.front()}});
  }
  const std::size_t own = objects.size();
  for (std::size_t v = 1; v < views.size(); ++v) {
    for (const std::u16string& name : RegisteredObjectNames(registry, views[v])) {
      std::u16string clsid = ClsidFromKeyName(name);
      const auto first = objects.begin();
      const auto end = first + static_cast<std::ptrdiff_t>(own);
      const auto same = std::find_if(first, end, [&](const RegisteredObject& object) {
        return platform::EqualsIgnoringAsciiCase(object.clsid, clsid);
      });
      if (same == end) {
        objects.push_back({std::move(clsid), {views[v]}});
      } else if (same->views.back() != views[v]) {
        same->views.push_back(views[v]);
      }
    }
  }
  return objects;
}

std::vector<platform::RegistryView> ViewsRegistering(platform::RegistryBackend& registry,
                                                     std::u16string_view clsid) {
  std::vector<platform::RegistryView> holding;
  for (platform::RegistryView view : registry.Views()) {
    registry::RegistryKey key(registry, platform::RegistryRoot::LocalMachine, view);
    if (key.OpenKey(kBrowserHelperObjectsKey, false) && key.OpenSubkey(InBraces(clsid))) {
      holding.push_back(view);
    }
  }
  return holding;
}

platform::RegistryView ViewForDetails(platform::RegistryBackend& registry,
                                      std::u16string_view clsid) {
  const std::vector<platform::RegistryView> views = ViewsRegistering(registry, clsid);
  return views.empty() ? registry.native_view() : views.front();
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

std::vector<RegisteredObject> FindSuspiciousObjects(platform::RegistryBackend& registry,
                                                    const ListMembership& membership) {
  std::vector<RegisteredObject> suspicious;
  for (RegisteredObject& object : RegisteredObjects(registry)) {
    if (!membership.Known(object.clsid) && !membership.Ignored(object.clsid)) {
      suspicious.push_back(std::move(object));
    }
  }
  return suspicious;
}

}  // namespace qb::scanner
