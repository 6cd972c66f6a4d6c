#pragma once

#include "platform/version_info.h"

namespace qb::win32 {

// Version resources through version.dll; paths made absolute with
// GetFullPathName and, for mapped network drives, WNetGetUniversalName.
class Win32VersionInfo final : public platform::VersionInfoReader {
 public:
  std::string ExpandFileName(std::string_view file_name) override;
  std::unique_ptr<platform::VersionResource> Read(std::string_view path) override;
};

}  // namespace qb::win32
