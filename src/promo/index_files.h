#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/registry_backend.h"

namespace qb::promo {

// The key of the shell folders, from HKEY_CURRENT_USER.
inline constexpr char kShellFoldersKey[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// One of the three index files: the shell-folder value that names its
// folder, and where it lies below that folder.
struct IndexFile {
  const char* value_name;
  const char* below_folder;
};

// The file of pane 1 (History), 2 (Cache) or 3 (Cookies); null for any
// other pane.
const IndexFile* IndexFileOf(std::uint8_t pane);

// The file's path (UTF-8), or nullopt when the shell-folder value is
// missing (or holds the store's default, "Error"). A value of another type
// than text throws the registry layer's type error.
std::optional<std::string> LocateIndexFile(platform::RegistryBackend& registry,
                                           const IndexFile& file);

// What the user is told when the folder value is missing, and when no file
// lies at the place.
std::string RegistryErrorMessage(std::string_view value_name);
std::string FileErrorMessage(std::string_view value_name);

}  // namespace qb::promo
