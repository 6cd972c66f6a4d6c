#pragma once

#include <map>
#include <string>

#include "platform/file_locator.h"

namespace qb::platform {

// Path rules in memory, for native tests: names expand as the tests chose,
// and C:\Windows\System32 is C:\Windows\SysWOW64 for the 32-bit view.
class MemoryFileLocator final : public FileLocator {
 public:
  std::string ExpandEnvironment(std::string_view text) override;
  std::string FullPath(std::string_view name, RegistryView view) override;

  // The full path of a name the tests choose (a mapped drive, a device).
  void AddFullPath(std::string name, std::string path) {
    full_paths_[std::move(name)] = std::move(path);
  }
  // An environment variable; names compare in upper case, as Windows does.
  void SetEnvironment(const std::string& name, std::string value);

 private:
  std::map<std::string, std::string> full_paths_;
  std::map<std::string, std::string> environment_;
};

}  // namespace qb::platform
