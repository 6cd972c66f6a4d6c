#pragma once

#include "platform/version_info.h"

namespace qb::win32 {

// Version resources through version.dll; paths made absolute with
// GetFullPathName and, for mapped network drives, WNetGetUniversalName; for
// objects of the 32-bit view, the system folder redirected as a 32-bit
// browser sees it.
class Win32VersionInfo final : public platform::VersionInfoReader {
 public:
  std::string ExpandFileName(std::string_view file_name, platform::RegistryView view) override;
  std::unique_ptr<platform::VersionResource> Read(std::string_view path) override;

 private:
  // Absolute, a mapped network drive in its UNC form.
  static std::string FullPath(std::string_view file_name);
};

}  // namespace qb::win32
