#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/files.h"

namespace qb::platform {

// In-memory files for native tests, with failures on demand: a path can be
// made unwritable (every write to it fails, as when another program holds it
// open) or unreadable.
class MemoryFiles final : public Files {
 public:
  bool FileExists(const std::filesystem::path& path) override;
  bool DirectoryExists(const std::filesystem::path& path) override;
  std::optional<std::string> ReadAll(const std::filesystem::path& path) override;
  void ReplaceAll(const std::filesystem::path& path, std::string_view content) override;
  bool CreateNew(const std::filesystem::path& path, std::string_view content) override;
  bool CreateDirectories(const std::filesystem::path& path) override;
  std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder) override;

  void Put(const std::filesystem::path& path, std::string content);
  // When a file was last written; a new file's time is all zeros.
  void SetModified(const std::filesystem::path& path, const LocalTime& time);
  std::optional<std::string> Get(const std::filesystem::path& path) const;
  void Remove(const std::filesystem::path& path);
  void FailWritesTo(const std::filesystem::path& path);
  void FailReadsOf(const std::filesystem::path& path);
  // Folders that cannot be created, and so cannot hold new files.
  void FailDirectory(const std::filesystem::path& path);
  // Every path that holds a file, in sorted order.
  std::set<std::string> FileNames() const;
  int write_count() const { return write_count_; }

 private:
  bool ParentExists(const std::filesystem::path& path) const;

  std::map<std::string, std::string> files_;
  std::map<std::string, LocalTime> modified_;
  std::set<std::string> directories_;
  std::set<std::string> unwritable_;
  std::set<std::string> unreadable_;
  std::set<std::string> failing_directories_;
  int write_count_ = 0;
};

}  // namespace qb::platform
