#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"

// The seam for the files the program keeps beside itself: lists and backups.
// One Win32 implementation, one in memory for native tests. Contents are
// bytes (8-bit text); paths are std::filesystem paths.
namespace qb::platform {

// The path as UTF-8 text, for messages and comparisons; what is not valid
// UTF-16 becomes U+FFFD. Never throws.
std::string PathText(const std::filesystem::path& path);

// A file of a folder and when it was last written, in local time.
struct FolderEntry {
  std::filesystem::path path;
  LocalTime modified;
};

class Files {
 public:
  virtual ~Files() = default;

  virtual bool FileExists(const std::filesystem::path& path) = 0;
  virtual bool DirectoryExists(const std::filesystem::path& path) = 0;
  // The whole file; nullopt when there is no such file. A file that exists but
  // cannot be read throws "Cannot open file %s".
  virtual std::optional<std::string> ReadAll(const std::filesystem::path& path) = 0;
  // Replaces the whole content so that a crash or a full disk never leaves a
  // half-written file: the new content goes to a temporary file in the same
  // folder, which then takes the old one's place. On failure the old file is
  // unchanged and "Cannot create file %s" is thrown. No device is ever
  // written: a file cannot take a device's place ("NUL", "COM1", "\\.\x"),
  // so such a name fails like any other that cannot be written.
  virtual void ReplaceAll(const std::filesystem::path& path, std::string_view content) = 0;
  // Writes a file that must not exist yet. False, with nothing written, when
  // the name is taken; "Cannot create file %s" on any other failure.
  virtual bool CreateNew(const std::filesystem::path& path, std::string_view content) = 0;
  // Creates the folder with its missing parents; false when it cannot.
  virtual bool CreateDirectories(const std::filesystem::path& path) = 0;
  // The files (not folders) directly in `folder`, in no particular order;
  // empty when there is no such folder.
  virtual std::vector<FolderEntry> ListFolder(const std::filesystem::path& folder) = 0;
};

// "Cannot create file %s".
[[noreturn]] void ThrowCannotCreate(const std::filesystem::path& path);

}  // namespace qb::platform
