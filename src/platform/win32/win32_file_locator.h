#pragma once

#include "platform/file_locator.h"

namespace qb::win32 {

// Paths made full with GetFullPathName and, for mapped network drives,
// WNetGetUniversalName; environment strings expanded with
// ExpandEnvironmentStrings; for the 32-bit view, the system folder
// redirected as a 32-bit browser sees it.
class Win32FileLocator final : public platform::FileLocator {
 public:
  std::string ExpandEnvironment(std::string_view text) override;
  std::string FullPath(std::string_view name, platform::RegistryView view) override;

 private:
  // Absolute, a mapped network drive in its UNC form.
  static std::string AbsolutePath(std::string_view name);
};

}  // namespace qb::win32
