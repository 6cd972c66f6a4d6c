#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_locator.h"
#include "platform/registry_backend.h"
#include "platform/version_info.h"

namespace qb::scanner {

// The six strings shown for an object; each is empty when its source is.
struct ObjectDetails {
  std::string file_name;     // default value of CLSID\{x}\InprocServer32, as stored
  std::string bho_name;      // default value of CLSID\{x}
  std::string description;   // FileDescription
  std::string file_version;  // FileVersion
  std::string product_name;  // ProductName
  std::string publisher;     // CompanyName
};

inline constexpr char kNoInfoText[] = "No info is available or not valid CLSID";
inline constexpr char kNoTranslation[] = "00000000";

struct DetailsLookup {
  ObjectDetails details;
  // The file name is shorter than 3 characters: there is nothing to show.
  bool no_info = false;
  // 8 upper-case hex digits, language then code page; "00000000" when the
  // file has no version resource or no translation entry. The four version
  // fields are filled exactly when this is not "00000000".
  std::string translation = kNoTranslation;
  // The full path of the file the object loads, as it was read; empty when
  // there is none to read, or when it is a network path or a device.
  std::string loaded_file;
};

std::string TranslationText(platform::Translation translation);

// Where the details come from: the class registrations, the system's path
// rules and the files' version resources.
struct DetailsSources {
  platform::RegistryBackend& registry;
  platform::FileLocator& locator;
  platform::VersionInfoReader& versions;
};

// Looks up the object with CLSID `clsid_in_braces` ("{...}") as the view
// that registers it sees it: its class registration under
// HKEY_CLASSES_ROOT\CLSID and the version resource of the file that
// registration names, found where the loader finds it (a REG_EXPAND_SZ
// name expanded), never on the network or a device. The file name shown is
// the name as stored. Reads only. A default value of a non-string type
// throws "Invalid data type for ''".
DetailsLookup ReadObjectDetails(const DetailsSources& sources, std::u16string_view clsid_in_braces,
                                platform::RegistryView view);

}  // namespace qb::scanner
