#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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
};

std::string TranslationText(platform::Translation translation);

// A path in the device or object namespace ("\\.\", "\\?\", "\??\"), whose
// names can open devices that hang. Forward slashes count as backslashes,
// as Windows reads them.
bool IsDeviceNamespacePath(std::string_view path);

// A stored file name that must not be read, by its form: a device namespace
// path, or a UNC path ("\\server\share\..."), which would reach out to a
// server that whoever wrote the registry chose. Which plain names are
// devices ("COM1:", "nul", ...) only Windows knows: it turns them into
// "\\.\" paths when it makes a name absolute, and the version reader refuses
// anything that is not a file on a disk.
bool IsRemoteOrDevicePath(std::string_view file_name);

// Looks up the object with CLSID `clsid_in_braces` ("{...}") as the view
// that registers it sees it: its class registration under
// HKEY_CLASSES_ROOT\CLSID and the version resource of the file that
// registration names. Reads only. A default value of a non-string type
// throws "Invalid data type for ''".
DetailsLookup ReadObjectDetails(platform::RegistryBackend& registry,
                                platform::VersionInfoReader& versions,
                                std::u16string_view clsid_in_braces, platform::RegistryView view);

}  // namespace qb::scanner
