#include "promo/index_files.h"

#include <array>

#include "registry/ini_store.h"

namespace qb::promo {
namespace {

constexpr char kMissing[] = "Error";

constexpr std::array<IndexFile, 3> kIndexFiles{{
    {"History", "\\History.IE5\\index.dat"},
    {"Cache", "\\Content.IE5\\index.dat"},
    {"Cookies", "\\index.dat"},
}};

}  // namespace

const IndexFile* IndexFileOf(std::uint8_t pane) {
  if (pane < 1 || pane > kIndexFiles.size()) return nullptr;
  return &kIndexFiles[pane - 1u];
}

std::optional<std::string> LocateIndexFile(platform::RegistryBackend& registry,
                                           const IndexFile& file) {
  registry::IniStore store(registry, platform::RegistryRoot::CurrentUser);
  const std::string folder = store.ReadString(kShellFoldersKey, file.value_name, kMissing);
  if (folder == kMissing) return std::nullopt;
  return folder + file.below_folder;
}

std::string RegistryErrorMessage(std::string_view value_name) {
  return "Error occured while trying to access registry information about " +
         std::string(value_name) + "!";
}

std::string FileErrorMessage(std::string_view value_name) {
  return "Error occured while trying to access " + std::string(value_name) + " index.dat files!";
}

}  // namespace qb::promo
