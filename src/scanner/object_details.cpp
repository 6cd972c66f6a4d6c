#include "scanner/object_details.h"

#include <cstdio>

#include "platform/utf.h"
#include "registry/registry_key.h"

namespace qb::scanner {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string TranslationText(platform::Translation translation) {
  char text[9];
  std::snprintf(text, sizeof text, "%04X%04X", translation.language, translation.code_page);
  return text;
}

bool IsDeviceNamespacePath(std::string_view path) {
  if (path.size() < 4 || !IsSeparator(path[0]) || !IsSeparator(path[3])) return false;
  const bool dos_device = IsSeparator(path[1]) && (path[2] == '.' || path[2] == '?');
  const bool object_manager = path[1] == '?' && path[2] == '?';
  return dos_device || object_manager;
}

bool IsRemoteOrDevicePath(std::string_view file_name) {
  const bool unc = file_name.size() >= 2 && IsSeparator(file_name[0]) && IsSeparator(file_name[1]);
  return unc || IsDeviceNamespacePath(file_name);
}

DetailsLookup ReadObjectDetails(platform::RegistryBackend& registry,
                                platform::VersionInfoReader& versions,
                                std::u16string_view clsid_in_braces, platform::RegistryView view) {
  DetailsLookup lookup;
  ObjectDetails& details = lookup.details;
  // The CLSID goes to the registry as one name, exactly as given.
  registry::RegistryKey key(registry, platform::RegistryRoot::ClassesRoot, view);
  if (key.OpenKey("\\CLSID", false) && key.OpenSubkey(clsid_in_braces)) {
    details.bho_name = key.ReadString("");
    if (key.OpenSubkey(u"InprocServer32")) details.file_name = key.ReadString("");
  }
  if (platform::CharacterCount(details.file_name) < 3) {
    lookup.no_info = true;
    return lookup;
  }
  if (IsRemoteOrDevicePath(details.file_name)) return lookup;
  // What Windows makes of the name: a device becomes "\\.\NAME"; a drive
  // that the user mapped to a share becomes its UNC path, which is read.
  const std::string path = versions.ExpandFileName(details.file_name, view);
  if (IsDeviceNamespacePath(path)) return lookup;

  const auto resource = versions.Read(path);
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
