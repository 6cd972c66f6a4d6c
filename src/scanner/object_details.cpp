#include "scanner/object_details.h"

#include <cstdio>
#include <optional>

#include "platform/utf.h"
#include "registry/registry_key.h"

namespace qb::scanner {

std::string TranslationText(platform::Translation translation) {
  char text[9];
  std::snprintf(text, sizeof text, "%04X%04X", translation.language, translation.code_page);
  return text;
}

DetailsLookup ReadObjectDetails(const DetailsSources& sources, std::u16string_view clsid_in_braces,
                                platform::RegistryView view) {
  DetailsLookup lookup;
  ObjectDetails& details = lookup.details;
  // The CLSID goes to the registry as one name, exactly as given.
  registry::RegistryKey key(sources.registry, platform::RegistryRoot::ClassesRoot, view);
  registry::RegistryKey::Text server;
  if (key.OpenKey("\\CLSID", false) && key.OpenSubkey(clsid_in_braces)) {
    details.bho_name = key.ReadString("");
    if (key.OpenSubkey(u"InprocServer32")) server = key.ReadText("");
  }
  details.file_name = server.text;
  if (platform::CharacterCount(details.file_name) < 3) {
    lookup.no_info = true;
    return lookup;
  }
  const std::optional<std::string> path =
      platform::LocateLocalFile(sources.locator, server.text, server.expandable, view);
  if (!path) return lookup;
  lookup.loaded_file = *path;

  const auto resource = sources.versions.Read(*path);
  if (!resource) return lookup;
  if (const auto translation = resource->FirstTranslation()) {
    lookup.translation = TranslationText(*translation);
  }
  if (lookup.translation == kNoTranslation) return lookup;

  const std::string prefix = "\\StringFileInfo\\" + lookup.translation + "\\";
  const auto query = [&](const char* name) { return resource->Query(prefix + name).value_or(""); };
  details.description = query("FileDescription");
  details.file_version = query("FileVersion");
  details.product_name = query("ProductName");
  details.publisher = query("CompanyName");
  return lookup;
}

}  // namespace qb::scanner
