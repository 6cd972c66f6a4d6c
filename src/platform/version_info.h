#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

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

class VersionInfoReader {
 public:
  virtual ~VersionInfoReader() = default;
  // The version resource of the file at the full path `path`; null when the
  // file is missing, unreadable, no file on a disk, or has none.
  virtual std::unique_ptr<VersionResource> Read(std::string_view path) = 0;
};

}  // namespace qb::platform
