#pragma once

#include "platform/files.h"

namespace qb::win32 {

class Win32Files final : public platform::Files {
 public:
  bool FileExists(const std::filesystem::path& path) override;
  bool DirectoryExists(const std::filesystem::path& path) override;
  std::optional<std::string> ReadAll(const std::filesystem::path& path) override;
  void ReplaceAll(const std::filesystem::path& path, std::string_view content) override;
  bool CreateNew(const std::filesystem::path& path, std::string_view content) override;
  bool CreateDirectories(const std::filesystem::path& path) override;
  std::vector<platform::FolderEntry> ListFolder(const std::filesystem::path& folder) override;
};

}  // namespace qb::win32
