#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/registry_backend.h"

// The seam to the version resources of files (version.dll on Windows).
namespace qb::platform {

struct Translation {
  std::uint16_t language = 0;
  std::uint16_t code_page = 0;
};

// What a file says about itself in its version resource.
class VersionResource {
 public:
  virtual ~VersionResource() = default;
  // The first entry of "\VarFileInfo\Translation", if there is one.
  virtual std::optional<Translation> FirstTranslation() const = 0;
  // The text at a path such as "\StringFileInfo\040904E4\FileVersion", up to
  // its first NUL; nullopt when absent.
  virtual std::optional<std::string> Query(std::string_view sub_block) const = 0;
};

// Where a 32-bit program finds a file of the system folder: Windows
// redirects "<system>\x" to "<wow64>\x" for it. Other paths are unchanged;
// folders compare without regard to ASCII letter case.
std::string RedirectSystemFolder(std::string_view path, std::string_view system,
                                 std::string_view wow64);

class VersionInfoReader {
 public:
  virtual ~VersionInfoReader() = default;
  // The full path of a file name: a relative name against the current
  // folder, a drive letter that maps a network share in its UNC form. For an
  // object of the 32-bit view, the file that a 32-bit program would load.
  virtual std::string ExpandFileName(std::string_view file_name, RegistryView view) = 0;
  // The version resource of the file at `path`; null when the file is
  // missing, unreadable or has none.
  virtual std::unique_ptr<VersionResource> Read(std::string_view path) = 0;
};

// Version resources in memory, for native tests.
class MemoryVersionInfo final : public VersionInfoReader {
 public:
  struct File {
    std::optional<Translation> translation;
    std::map<std::string, std::string> strings;  // sub-block path -> text
  };

  // Expands the names the tests chose, and redirects C:\Windows\System32 to
  // C:\Windows\SysWOW64 for the 32-bit view.
  std::string ExpandFileName(std::string_view file_name, RegistryView view) override;
  std::unique_ptr<VersionResource> Read(std::string_view path) override;

  void AddFile(std::string path, File file) { files_[std::move(path)] = std::move(file); }
  // Expansion of a name the tests choose (a mapped drive, say).
  void AddExpansion(std::string name, std::string path) {
    expansions_[std::move(name)] = std::move(path);
  }
  // Every path handed to Read, in order.
  const std::vector<std::string>& reads() const { return reads_; }

 private:
  std::map<std::string, File> files_;
  std::map<std::string, std::string> expansions_;
  std::vector<std::string> reads_;
};

}  // namespace qb::platform
