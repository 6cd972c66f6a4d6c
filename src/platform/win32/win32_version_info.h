#pragma once

#include "platform/version_info.h"

namespace qb::win32 {

// Version resources through version.dll, of files on a disk only.
class Win32VersionInfo final : public platform::VersionInfoReader {
 public:
  std::unique_ptr<platform::VersionResource> Read(std::string_view path) override;
};

}  // namespace qb::win32
