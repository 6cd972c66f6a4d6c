#include "lists/list_file.h"

#include "lists/list_text.h"

namespace qb::lists {

ListFile::ListFile(platform::Files& files, std::filesystem::path path)
    : files_(files), path_(std::move(path)) {}

bool ListFile::Load() {
  const std::optional<std::string> bytes = files_.ReadAll(path_);
  list_.Assign(bytes ? ParseListText(*bytes) : std::vector<std::string>{});
  return bytes.has_value();
}

void ListFile::Save() { files_.ReplaceAll(path_, FormatListText(list_.entries())); }

bool ListFile::Add(std::string_view clsid) {
  if (!list_.AddIfAbsent(clsid)) return false;
  Save();
  return true;
}

void ListFile::Replace(std::vector<std::string> entries) {
  list_.Assign(std::move(entries));
  Save();
}

ClsidLists::ClsidLists(platform::Files& files, const std::filesystem::path& program_folder)
    : known(files, program_folder / kKnownFileName),
      ignored(files, program_folder / kIgnoredFileName),
      blocked(files, program_folder / kBlockedFileName) {}

bool ClsidLists::Load() {
  const bool database_found = known.Load();
  ignored.Load();
  blocked.Load();
  return database_found;
}

}  // namespace qb::lists
