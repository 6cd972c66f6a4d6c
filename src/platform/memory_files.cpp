#include "platform/memory_files.h"

#include "platform/error.h"

namespace qb::platform {
namespace {

std::string Key(const std::filesystem::path& path) { return PathText(path.lexically_normal()); }

}  // namespace

bool MemoryFiles::FileExists(const std::filesystem::path& path) {
  return files_.count(Key(path)) != 0;
}

bool MemoryFiles::DirectoryExists(const std::filesystem::path& path) {
  std::string key = Key(path);
  while (key.size() > 1 && key.back() == '/') key.pop_back();
  return directories_.count(key) != 0;
}

bool MemoryFiles::ParentExists(const std::filesystem::path& path) const {
  const std::filesystem::path parent = path.lexically_normal().parent_path();
  return parent.empty() || directories_.count(PathText(parent)) != 0;
}

std::optional<std::string> MemoryFiles::ReadAll(const std::filesystem::path& path) {
  const auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  if (unreadable_.count(Key(path))) throw Error("Cannot open file " + PathText(path));
  return it->second;
}

void MemoryFiles::ReplaceAll(const std::filesystem::path& path, std::string_view content) {
  if (unwritable_.count(Key(path)) || !ParentExists(path)) ThrowCannotCreate(path);
  files_[Key(path)] = std::string(content);
  ++write_count_;
}

bool MemoryFiles::CreateNew(const std::filesystem::path& path, std::string_view content) {
  if (FileExists(path)) return false;
  ReplaceAll(path, content);
  return true;
}

bool MemoryFiles::CreateDirectories(const std::filesystem::path& path) {
  std::filesystem::path partial;
  for (const auto& part : path.lexically_normal()) {
    partial /= part;
    std::string key = PathText(partial);
    if (key.size() > 1 && key.back() == '/') key.pop_back();
    if (failing_directories_.count(key)) return false;
    directories_.insert(key);
  }
  return true;
}

void MemoryFiles::Put(const std::filesystem::path& path, std::string content) {
  CreateDirectories(path.lexically_normal().parent_path());
  files_[Key(path)] = std::move(content);
}

std::optional<std::string> MemoryFiles::Get(const std::filesystem::path& path) const {
  const auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

void MemoryFiles::Remove(const std::filesystem::path& path) { files_.erase(Key(path)); }

void MemoryFiles::FailWritesTo(const std::filesystem::path& path) { unwritable_.insert(Key(path)); }

void MemoryFiles::FailReadsOf(const std::filesystem::path& path) { unreadable_.insert(Key(path)); }

void MemoryFiles::FailDirectory(const std::filesystem::path& path) {
  failing_directories_.insert(Key(path));
}

std::set<std::string> MemoryFiles::FileNames() const {
  std::set<std::string> names;
  for (const auto& [name, content] : files_) names.insert(name);
  return names;
}

std::vector<FolderEntry> MemoryFiles::ListFolder(const std::filesystem::path& folder) {
  std::vector<FolderEntry> entries;
  for (const auto& [name, content] : files_) {
    const std::filesystem::path path(name);
    if (path.parent_path() != folder.lexically_normal()) continue;
    const auto time = modified_.find(name);
    entries.push_back({path, time == modified_.end() ? LocalTime{} : time->second});
  }
  return entries;
}

void MemoryFiles::SetModified(const std::filesystem::path& path, const LocalTime& time) {
  modified_[Key(path)] = time;
}

}  // namespace qb::platform
