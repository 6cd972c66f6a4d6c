#include "scanner/object_details.h"

#include <array>
#include <cstdio>

#include "lists/case_insensitive.h"
#include "registry/registry_key.h"

namespace qb::scanner {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The file name's last component without extension, trailing blanks and
// dots, as Windows compares it with the reserved device names.
std::string_view DeviceStem(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/:");
  std::string_view stem = slash == std::string_view::npos ? path : path.substr(slash + 1);
  stem = stem.substr(0, stem.find('.'));
  while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.remove_suffix(1);
  return stem;
}

bool IsReservedDeviceName(std::string_view stem) {
  static constexpr std::array kNames = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* name : kNames) {
    if (lists::EqualsIgnoreCase(stem, name)) return true;
  }
  if (stem.size() == 4 && (lists::EqualsIgnoreCase(stem.substr(0, 3), "COM") ||
                           lists::EqualsIgnoreCase(stem.substr(0, 3), "LPT"))) {
    return stem[3] >= '1' && stem[3] <= '9';
  }
  return false;
}

std::string ReadDefaultValue(registry::RegistryKey& key, const std::string& path) {
  if (!key.OpenKey(path, false)) return {};
  return key.ReadString("");
}

}  // namespace

std::string TranslationText(platform::Translation translation) {
  char text[9];
  std::snprintf(text, sizeof text, "%04X%04X", translation.language, translation.code_page);
  return text;
}

bool IsRemoteOrDevicePath(std::string_view file_name) {
  if (file_name.size() >= 2 && IsSeparator(file_name[0]) && IsSeparator(file_name[1])) return true;
  if (file_name.size() >= 4 && IsSeparator(file_name[0]) && file_name[1] == '?' &&
      file_name[2] == '?' && IsSeparator(file_name[3])) {
    return true;
  }
  return IsReservedDeviceName(DeviceStem(file_name));
}

DetailsLookup ReadObjectDetails(platform::RegistryBackend& registry,
                                platform::VersionInfoReader& versions,
                                std::string_view clsid_in_braces) {
  DetailsLookup lookup;
  ObjectDetails& details = lookup.details;
  registry::RegistryKey key(registry, platform::RegistryRoot::ClassesRoot);
  const std::string class_key = "\\CLSID\\" + std::string(clsid_in_braces);
  details.bho_name = ReadDefaultValue(key, class_key);
  details.file_name = ReadDefaultValue(key, class_key + "\\InprocServer32");
  if (details.file_name.size() < 3) {
    lookup.no_info = true;
    return lookup;
  }
  if (IsRemoteOrDevicePath(details.file_name)) return lookup;

  const auto resource = versions.Read(versions.ExpandFileName(details.file_name));
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
